#include "ui/forms/frmePSXeConf.h"

#include "epsxe/clsMemCard.h"

namespace {
const char* const kKey = "Software\\epsxe\\config";
constexpr std::uint32_t HKCU = clsRegistry::kCurrentUser;

// The countries ePSXe tells apart, with the numbers it stores for them:
// 255 lets it decide from the disc.
struct Country {
    const char* name;
    const char* stored;
};
constexpr Country kCountries[] = {{"Auto-detect", "255"}, {"NTSC (America, Japan)", "0"}, {"PAL (Europe)", "1"}};

// "CdromLetter" for "Auto-detect!": no drive letter at all.
const char* const kAnyDrive = "0";

std::string Flag(const CheckBox& box) { return box.checked() ? "1" : "0"; }

std::string CoreOf(const std::string& cdromPlugin) {
    if (cdromPlugin != "W9XCDRCORE" && cdromPlugin != "W2KCDRCORE") return std::string();
    std::string core = cdromPlugin.substr(0, 3);
    for (std::size_t i = 1; i < core.size(); ++i)
        if (core[i] >= 'A' && core[i] <= 'Z') core[i] = static_cast<char>(core[i] - 'A' + 'a');
    return core;
}
}  // namespace

frmePSXeConf::frmePSXeConf(Services& services, std::vector<std::string> cdromDrives)
    : services_(services), registry_(services.registry), drives_(std::move(cdromDrives)) {
    buildControls();
    for (int i = 0; i < 3; ++i) {
        cmdBrowse[i].onClick = [this, i] { cmdBrowse_Click(i); };
        txtLocation[i].onDeleteKey = [this, i] { txtLocation[i].setText(""); };
    }
    for (int card = 0; card < 2; ++card) {
        cmdNew[card].onClick = [this, card] { cmdNew_Click(card + 1); };
        cmdConvert[card].onClick = [this, card] { cmdConvert_Click(card + 1); };
    }
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { unload(); };
    loadValues();
}

void frmePSXeConf::buildControls() {
    setCaption("Corvane: Configure ePSXe");
    fraGeneral.setCaption("General");
    fraSound.setCaption("Sound");
    fraCDRom.setCaption("CDRom");
    fraCards.setCaption("Memory Cards");
    lblBios.setCaption("Bios:");
    lblCountry.setCaption("Country:");
    lblCDROM.setCaption("CDROM Drive:");
    lblCard1.setCaption("Card 1 Location:");
    lblCard2.setCaption("Card 2 Location:");
    chkAutoPpf.setCaption("Auto-load PPF file:");
    chkSound.setCaption("Enable Sound:");
    chkCDDA.setCaption("Enable CDDA Sound:");
    chkXA.setCaption("Enable XA Sound:");
    chkIrq.setCaption("Enable IRQ Hack:");
    chkSubchannel.setCaption("Enable Subchannel Reading:");
    chkSubchannelCaching.setCaption("Enable Subchannel Caching:");
    chkCachingLG.setCaption("Enable Caching for LG-8520/21/22b:");
    for (Button& button : cmdBrowse) button.setCaption("Browse...");
    for (Button& button : cmdNew) button.setCaption("New...");
    for (Button& button : cmdConvert) button.setCaption("Convert...");
    cmdOK.setCaption("OK");
    cmdCancel.setCaption("Cancel");
    for (const Country& country : kCountries) cmbCountry.addItem(country.name);
    std::vector<std::string> drives{"Auto-detect!"};
    drives.insert(drives.end(), drives_.begin(), drives_.end());
    cmbCDROM.setItems(drives);
}

std::string frmePSXeConf::read(const std::string& value, const std::string& fallback) {
    return registry_.GetRegString(HKCU, kKey, value, fallback);
}

void frmePSXeConf::write(const std::string& value, const std::string& text) { registry_.SaveRegString(HKCU, kKey, value, text); }

void frmePSXeConf::loadValues() {
    core_ = CoreOf(read("CdromPlugin", ""));
    for (Control* control : std::initializer_list<Control*>{&cmbCDROM, &chkSubchannel, &chkSubchannelCaching, &chkCachingLG})
        control->setEnabled(!core_.empty());
    txtLocation[0].setText(read("BiosName", ""));
    txtLocation[1].setText(read("Memcard1", ""));
    txtLocation[2].setText(read("Memcard2", ""));
    const std::string country = read("Country", "255");
    cmbCountry.setListIndex(0);
    for (int i = 0; i < static_cast<int>(std::size(kCountries)); ++i)
        if (country == kCountries[i].stored) cmbCountry.setListIndex(i);
    chkAutoPpf.setChecked(read("AutoPpfLoad", "0") == "1");
    chkSound.setChecked(read("SoundEnabled", "1") == "1");
    chkCDDA.setChecked(read("SoundCDDA", "1") == "1");
    chkXA.setChecked(read("SoundXA", "1") == "1");
    chkIrq.setChecked(read("SoundSpuIrq", "0") == "1");
    cmbCDROM.setListIndex(0);
    if (core_.empty()) return;
    const std::string letter = read("CdromLetter", kAnyDrive);
    for (std::size_t i = 0; i < drives_.size(); ++i)
        if (!drives_[i].empty() && letter == std::to_string(static_cast<int>(drives_[i][0])))
            cmbCDROM.setListIndex(static_cast<int>(i) + 1);
    chkSubchannel.setChecked(read("Subchannel" + core_ + "CdromEnabled", "0") == "1");
    chkSubchannelCaching.setChecked(read("Subchannel" + core_ + "Caching", "0") == "1");
    chkCachingLG.setChecked(read("Subchannel" + core_ + "CachingLG", "0") == "1");
}

void frmePSXeConf::cmdBrowse_Click(int index) {
    const bool bios = index == 0;
    const auto chosen = services_.windows.openFileOf(
        handle(), bios ? "Select a BIOS File:" : "Select a Memory Card File:",
        {{bios ? "BIOS Files (*.bin)" : "Memory Card Files (*.mcr)", bios ? "*.bin" : "*.mcr"},
         {"All Files (*.*)", "*.*"}},
        "");
    if (!chosen) return;
    // A card the emulator could not read keeps the field as it was.
    if (!bios && refused(clsMemCard(services_.files).ReadCard(*chosen).problem)) return;
    txtLocation[index].setText(*chosen);
}

void frmePSXeConf::cmdNew_Click(int card) {
    if (const auto path = askCardPath("Save New Memory Card As...", clsMemCard::MakesBareCard))
        putCard(card, *path, clsMemCard::EmptyCard());
}

void frmePSXeConf::cmdConvert_Click(int card) {
    // The card is checked before a name is asked for: a card that fails
    // its check is never written anywhere.
    const auto source = clsMemCard(services_.files).ReadCard(txtLocation[card].text());
    if (refused(source.problem)) return;
    const auto path = askCardPath("Save Memory Card As...", clsMemCard::KnownFormat);
    if (!path) return;
    const auto file = clsMemCard::FileOf(*path, source.bytes);
    if (refused(file.problem)) return;
    putCard(card, *path, file.bytes);
}

// The save dialog until it names a file the card can be written in, or is
// cancelled.
std::optional<std::string> frmePSXeConf::askCardPath(const std::string& title,
                                                     bool (*accepted)(const std::string&)) {
    for (;;) {
        // The system asks before an existing file (a card full of saved
        // games) is replaced.
        const auto path = services_.windows.saveFile(handle(), title, clsMemCard::Formats(), "mcr");
        if (!path || path->empty()) return std::nullopt;
        if (accepted(*path)) return path;
        refused(clsMemCard::kUnsupported);
    }
}

// A card written whole is the slot's card; one that could not be written
// leaves the field as it was.
void frmePSXeConf::putCard(int card, const std::string& path, const std::string& bytes) {
    if (clsMemCard(services_.files).WriteCard(path, bytes)) {
        txtLocation[card].setText(path);
        return;
    }
    services_.windows.messageBox(handle(), "The memory card " + path + " could not be written.", "Memory Card",
                                 MessageIcon::Critical, MessageButtons::Ok);
}

bool frmePSXeConf::refused(const std::optional<std::string>& problem) {
    if (problem)
        services_.windows.messageBox(handle(), *problem, "Memory Card", MessageIcon::Information, MessageButtons::Ok);
    return problem.has_value();
}

void frmePSXeConf::cmdOK_Click() {
    for (const TextBox& field : txtLocation) {
        if (!field.text().empty()) continue;
        services_.windows.messageBox(handle(),
                                     "You left a text field blank! All text fields must be filled in before the "
                                     "configuration can be applied.",
                                     "Blank Text Field", MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    write("BiosName", txtLocation[0].text());
    write("Country", kCountries[cmbCountry.listIndex() < 0 ? 0 : cmbCountry.listIndex()].stored);
    write("AutoPpfLoad", Flag(chkAutoPpf));
    write("SoundEnabled", Flag(chkSound));
    write("SoundCDDA", Flag(chkCDDA));
    write("SoundXA", Flag(chkXA));
    write("SoundSpuIrq", Flag(chkIrq));
    if (!core_.empty()) {
        const int drive = cmbCDROM.listIndex();
        write("CdromLetter", drive <= 0 ? std::string(kAnyDrive)
                                        : std::to_string(static_cast<int>(drives_[static_cast<std::size_t>(drive - 1)][0])));
        write("Subchannel" + core_ + "CdromEnabled", Flag(chkSubchannel));
        write("Subchannel" + core_ + "Caching", Flag(chkSubchannelCaching));
        write("Subchannel" + core_ + "CachingLG", Flag(chkCachingLG));
    }
    write("Memcard1", txtLocation[1].text());
    write("Memcard2", txtLocation[2].text());
    unload();
}
