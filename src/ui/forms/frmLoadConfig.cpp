#include "ui/forms/frmLoadConfig.h"

#include "app/Helpers.h"
#include "profiles/Profile.h"

namespace {
// Keys whose release leaves the typed name alone: editing and moving keys,
// modifiers, the Windows and menu keys, the function keys.
bool IgnoredByTypeAhead(int key) {
    return key == 8 || key == 27 || (key >= 16 && key <= 20) || (key >= 33 && key <= 40) || key == 44 ||
           key == 45 || (key >= 91 && key <= 93) || (key >= 112 && key <= 123);
}

const char* const kShowDetails = "&Show Details >>";
const char* const kHideDetails = "&Hide Details <<";
const char* const kCRLF = "\r\n";

std::string ValueName(const std::string& name) { return name.empty() ? "(default)" : name; }

std::string CurrentText(const ValueChange& change) {
    if (!change.currentKnown) return "(not read)";
    return change.current ? DataText(*change.current) : "(not set)";
}

// The preview in words: the values that would change, under their keys, and
// the entries left out.
std::string PreviewText(const ProfilePreview& preview) {
    std::string text;
    if (preview.changes.empty()) text = std::string("Loading it changes no value: the registry holds its data already.") + kCRLF;
    else text = std::string("Loading it changes (now \xE2\x86\x92 profile):") + kCRLF;
    std::string key;
    for (const ValueChange& change : preview.changes) {
        if (change.key != key) text += (key = change.key) + kCRLF;
        text += "    " + ValueName(change.name) + ": " + CurrentText(change) + " \xE2\x86\x92 " + DataText(change.profile) +
                kCRLF;
    }
    if (preview.leftOut.empty()) return text;
    text += std::string(kCRLF) + "Left out, as a profile may not write them:" + kCRLF;
    for (const std::string& entry : preview.leftOut) text += "    " + entry + kCRLF;
    return text;
}
}  // namespace

frmLoadConfig::frmLoadConfig(Session& session) : session_(session) {
    buildControls();
    lstConfigs.onItemClick = [this] { lstConfigs_ItemClick(); };
    lstConfigs.onDoubleClick = [this] { cmdLoad_Click(); };
    lstConfigs.onDeleteKey = [this] { lstConfigs_KeyDelete(); };
    txtConfig[0].onKeyUp = [this](int key) { txtConfig_KeyUp(key); };
    cmdLoad.onClick = [this] { cmdLoad_Click(); };
    cmdCancel.onClick = [this] { unload(); };
    cmdDetails.onClick = [this] { cmdDetails_Click(); };
    entries_ = session_.profiles().list();
    bindList();
    bool& details = session_.settings().loadConfigDetails;
    if (details) {
        details = false;
        cmdDetails_Click();
    }
}

void frmLoadConfig::buildControls() {
    setCaption("Corvane: Load Configuration");
    lblPrompt.setCaption(
        "Load a saved configuration profile.  It will overwrite your current setup with the stored settings.");
    lblFilename.setCaption("Filename:");
    lblComments.setCaption("Comments:");
    lblChanges.setCaption("What loading it changes:");
    lstConfigs.setColumns({{"Config Name", 250}, {"FileName", 160}});
    txtConfig[1].setMultiLine(true);
    txtConfig[1].setReadOnly(true);
    txtConfig[2].setMultiLine(true);
    txtConfig[2].setReadOnly(true);
    cmdLoad.setCaption("Load");
    cmdCancel.setCaption("Cancel");
    cmdDetails.setCaption(kShowDetails);
    setSize(kWidth, kShortHeight);
}

void frmLoadConfig::bindList() {
    std::vector<ListRow> rows;
    for (const ProfileListing& entry : entries_) rows.push_back(ListRow{entry.name, entry.system, {entry.fileName}});
    lstConfigs.setRows(std::move(rows));
}

void frmLoadConfig::lstConfigs_ItemClick() {
    const int row = lstConfigs.selectedIndex();
    if (row < 0) return;
    txtConfig[0].setText(entries_[static_cast<std::size_t>(row)].fileName);
    showDetails(static_cast<std::size_t>(row));
}

void frmLoadConfig::showDetails(std::size_t row) {
    txtConfig[1].setText(entries_[row].comments);
    ProfilePreview preview;
    const ProfileProblem problem = session_.profiles().preview(entries_[row].fileName, preview);
    txtConfig[2].setText(problem ? *problem : PreviewText(preview));
}

void frmLoadConfig::lstConfigs_KeyDelete() {
    const int row = lstConfigs.selectedIndex();
    if (entries_.empty() || row < 0) return;
    if (!session_.profiles().remove(entries_[static_cast<std::size_t>(row)].fileName)) return;
    entries_.erase(entries_.begin() + row);
    bindList();
}

void frmLoadConfig::txtConfig_KeyUp(int key) {
    if (IgnoredByTypeAhead(key)) return;
    TextBox& box = txtConfig[0];
    const std::string typed = box.text();
    const int caret = box.selectionStart();
    if (caret != static_cast<int>(typed.size())) return;
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        const std::string& name = entries_[row].fileName;
        if (LowerCase(name).rfind(LowerCase(typed), 0) != 0) continue;
        lstConfigs.setSelectedIndex(static_cast<int>(row));
        showDetails(row);
        box.setText(name);
        box.select(caret, static_cast<int>(name.size()) - caret);
        return;
    }
}

void frmLoadConfig::cmdLoad_Click() {
    const std::string fileName = txtConfig[0].text();
    if (fileName.empty()) {
        session_.services().windows.messageBox(handle(), "Please enter a configuration profile filename.",
                                               "Enter a Filename", MessageIcon::Exclamation, MessageButtons::Ok);
        txtConfig[0].setFocus();
        return;
    }
    if (session_.profiles().load(fileName)) unload();
}

void frmLoadConfig::cmdDetails_Click() {
    const bool show = cmdDetails.caption() == kShowDetails;
    setSize(kWidth, show ? kTallHeight : kShortHeight);
    cmdDetails.setCaption(show ? kHideDetails : kShowDetails);
    session_.settings().loadConfigDetails = show;
}
