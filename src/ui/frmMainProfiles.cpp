// The dialogs of the File and Tools menus: profiles, the N64 registry
// paths, ePSXe's own settings.
#include "ui/frmMain.h"

namespace {
// Shows a dialog modally through the back end; without one (in tests) the
// dialog stays open for the test to drive, and `closed` runs when it
// unloads.
template <typename Dialog>
void Open(std::unique_ptr<Dialog>& dialog, const std::function<void(Dialog&)>& show,
          const std::function<void()>& closed) {
    if (!show) {
        dialog->onUnload = closed;
        return;
    }
    show(*dialog);
    dialog.reset();
    if (closed) closed();
}
}  // namespace

ProfileContext frmMain::profileContext() {
    return ProfileContext{services_,
                          programFolder_,
                          tempFolder_,
                          versionKeys_,
                          database_.installationFlags(),
                          [this](const ProcessStart& start) { return RunShell(start); },
                          [this] { return detectPSXGameID(); }};
}

void frmMain::mnuFileSaveConfig_Click() {
    saveConfig_ = std::make_unique<frmSaveConfig>(profileContext(), page() == MainPage::N64 ? EmuSystem::N64
                                                                                           : EmuSystem::PSX);
    shareTransparency(*saveConfig_);
    Open(saveConfig_, showSaveConfig, {});
}

void frmMain::mnuFileLoadConfig_Click() {
    loadConfig_ = std::make_unique<frmLoadConfig>(profileContext(), flags_);
    shareTransparency(*loadConfig_);
    Open(loadConfig_, showLoadConfig, [this] { rereadAfterProfileLoad(); });
}

void frmMain::rereadAfterProfileLoad() {
    // The registry may hold other plug-ins now: the lists show them.
    if (cmbEmuSelect.listIndex() == 0) return;
    if (page() == MainPage::PSX) readActiveSelection(EmuSystem::PSX);
    if (page() == MainPage::N64) readActiveSelection(EmuSystem::N64);
}

void frmMain::mnuToolsConfigN64Regpaths_Click() {
    n64Paths_ = std::make_unique<frmConfigN64Regpaths>(profileContext());
    shareTransparency(*n64Paths_);
    Open(n64Paths_, showN64Paths, {});
}

void frmMain::mnuFileConfigEmu_Click() {
    ePSXeConf_ = std::make_unique<frmePSXeConf>(services_, cmbCDROM.items());
    shareTransparency(*ePSXeConf_);
    Open(ePSXeConf_, showEPSXeConf, {});
}
