#include "ui/forms/frmSaveConfig.h"

#include "app/Helpers.h"
#include "session/LaunchCommands.h"
#include "session/ProfileCommands.h"

namespace {
enum Box { kName = 0, kGameId = 1, kFile = 2, kComments = 3 };
const char* const kCRLF = "\r\n";
}  // namespace

frmSaveConfig::frmSaveConfig(Session& session, std::optional<EmuSystem> system) : session_(session), system_(system) {
    buildControls();
    onActivate = [this] { Form_Activate(); };
    cmbBind.onClick = [this] { cmbBind_Click(); };
    cmdDetectPSXID.onClick = [this] { cmdDetectPSXID_Click(); };
    cmdBrowse.onClick = [this] { cmdBrowse_Click(); };
    txtSaveInfo[kComments].onDoubleClick = [this] { txtComments_DblClick(); };
    cmdSave.onClick = [this] { cmdSave_Click(); };
    cmdCancel.onClick = [this] { unload(); };
    // The Delete key empties a whole box; the comments keep the key's
    // usual meaning.
    for (int box : {kName, kGameId, kFile}) txtSaveInfo[box].onDeleteKey = [this, box] { txtSaveInfo[box].setText(""); };
}

void frmSaveConfig::buildControls() {
    setCaption("Corvane: Save Configuration");
    fraGeneral.setCaption("General Information");
    fraSave.setCaption("Save Information");
    fraBinding.setCaption("Binding Information");
    lblName.setCaption("Name:");
    lblComments.setCaption("Comments:");
    lblSelect.setCaption("Select the configurations you want saved to this profile:");
    lblBindPrompt.setCaption("Configure the item you want the profile bound to:");
    lblBindMethod.setCaption("Bind Method:");
    lblGameId.setCaption("PSX Game ID:");
    lblFile.setCaption("ROM/ISO File:");
    txtSaveInfo[kComments].setMultiLine(true);
    for (int i = 0; i < kProfileContents; ++i) chkSaveConfig[i].setCaption(CaptionOf(ContentAt(i)));
    for (const char* method : {"None", "PSX Disc", "PSX ISO", "N64 ROM"}) cmbBind.addItem(method);
    cmdDetectPSXID.setCaption("Detect PSX Game ID");
    cmdBrowse.setCaption("Browse");
    cmdBrowse.setToolTip("Browse For ROM/ISO");
    cmdSave.setCaption("Save");
    cmdCancel.setCaption("Cancel");
    cmbBind.setListIndex(0);
    cmbBind_Click();
}

void frmSaveConfig::Form_Activate() {
    if (prechecked_ || !system_) return;
    prechecked_ = true;
    const InstallationFlags& installed = session_.emulators().installationFlags();
    if (system_ == EmuSystem::PSX) {
        check(ProfileContent::PSXPlugins);
        if (installed.ePSXe) check(ProfileContent::ePSXe);
        if (installed.PCSX) check(ProfileContent::PCSX);
        if (installed.PSXeven) check(ProfileContent::PSXeven);
    } else {
        check(ProfileContent::N64Plugins);
        if (installed.Project64) check(ProfileContent::Project64);
        if (installed.emu1964) check(ProfileContent::Emu1964);
    }
}

void frmSaveConfig::cmbBind_Click() {
    const BindMethod method = bindMethod();
    const bool file = method == BindMethod::PSXISO || method == BindMethod::N64ROM;
    cmdBrowse.setEnabled(file);
    txtSaveInfo[kFile].setEnabled(file);
    cmdDetectPSXID.setEnabled(method == BindMethod::PSXDisc);
    txtSaveInfo[kGameId].setEnabled(method == BindMethod::PSXDisc);
}

void frmSaveConfig::cmdDetectPSXID_Click() {
    const std::string id = session_.launches().detectPSXGameID();
    if (!id.empty()) {
        txtSaveInfo[kGameId].setText(id);
        return;
    }
    session_.services().windows.messageBox(
        handle(), "Could not detect PSX game ID!  Please check to make sure you have a PSX disc inserted in the drive.",
        "Could Not Detect ID!", MessageIcon::Critical, MessageButtons::Ok);
}

void frmSaveConfig::cmdBrowse_Click() {
    const auto chosen = session_.services().windows.openFile(handle(), "Select a ROM/ISO file to bind to:",
                                                           "All Files (*.*)", "*.*", "exe");
    if (chosen) txtSaveInfo[kFile].setText(ParseFileName(chosen->substr(0, chosen->find('\0'))));
}

void frmSaveConfig::txtComments_DblClick() {
    TextBox& comments = txtSaveInfo[kComments];
    if (!comments.text().empty()) return;
    IClock& clock = session_.services().clock;
    const std::string separator = clock.dateSeparator();
    std::string text = std::string("Description: ") + kCRLF + kCRLF + "Date: " +
                       clock.formatDate(clock.now(), "MM'" + separator + "'dd'" + separator + "'yyyy") + kCRLF +
                       kCRLF + "Contents: ";
    std::string contents;
    for (int i = 0; i < kProfileContents; ++i)
        if (chkSaveConfig[i].checked()) contents += (contents.empty() ? "" : ", ") + chkSaveConfig[i].caption();
    text += contents;
    const BindMethod method = bindMethod();
    if (method == BindMethod::PSXDisc) text += std::string(kCRLF) + kCRLF + "Bound to PSX Disc: " + txtSaveInfo[kGameId].text();
    if (method == BindMethod::PSXISO) text += std::string(kCRLF) + kCRLF + "Bound to PSX ISO: " + txtSaveInfo[kFile].text();
    if (method == BindMethod::N64ROM) text += std::string(kCRLF) + kCRLF + "Bound to N64 ROM: " + txtSaveInfo[kFile].text();
    comments.setText(text);
    comments.select(13, 0);  // right after "Description: "
}

void frmSaveConfig::warn(const std::string& title, const std::string& text) {
    session_.services().windows.messageBox(handle(), text, title, MessageIcon::Exclamation, MessageButtons::Ok);
}

bool frmSaveConfig::formComplete() {
    if (txtSaveInfo[kName].text().empty()) {
        warn("Profile Unnamed!", "You must enter a name for this profile.");
        txtSaveInfo[kName].setFocus();
        return false;
    }
    bool any = false;
    for (const CheckBox& box : chkSaveConfig) any = any || box.checked();
    if (!any) {
        warn("No Configs Selected!", "Please select one or more configuration options to include in this profile.");
        return false;
    }
    const BindMethod method = bindMethod();
    if (method == BindMethod::PSXDisc && txtSaveInfo[kGameId].text().empty()) {
        warn("Bind Error", "You must specify the PSX disc you want the profile to be bound to.");
        return false;
    }
    if ((method == BindMethod::PSXISO || method == BindMethod::N64ROM) && txtSaveInfo[kFile].text().empty()) {
        warn("Bind Error", "You must specify the ISO or ROM you want the profile to be bound to.");
        return false;
    }
    return true;
}

void frmSaveConfig::cmdSave_Click() {
    if (!formComplete()) return;
    ProfileRequest request{txtSaveInfo[kName].text(), txtSaveInfo[kComments].text(), bindMethod(),
                           txtSaveInfo[kGameId].text(), txtSaveInfo[kFile].text(), {}};
    for (int i = 0; i < kProfileContents; ++i)
        if (chkSaveConfig[i].checked()) request.contents.push_back(ContentAt(i));
    if (session_.profiles().save(request)) unload();
}
