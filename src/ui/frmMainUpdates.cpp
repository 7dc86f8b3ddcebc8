// Plug-in updates: the update window, the automatic check, the marks on
// the lists and the notification.
#include "ui/frmMain.h"

UpdateContext frmMain::updateContext() {
    return UpdateContext{
        services_,
        log_,
        serviceAddress_,
        tempFolder_,
        [this](EmuSystem system) -> const PluginCatalogue& { return catalogue(system); },
        [this](EmuSystem system, const std::vector<std::string>& files) {
            updatable_[system == EmuSystem::PSX ? 0 : 1] = files;
            bindCatalogue(system);
        },
        [this](const std::string& text, const std::string& title) { notifyUser(text, title); },
        [this] { return visible() && windowState() != WindowState::Minimized; },
        [] { return false; },
        [this](const std::string& when) { lastUpdate_ = when; },
        [this](const std::vector<UpdateRecord>& psx, const std::vector<UpdateRecord>& n64) { installUpdates(psx, n64); }};
}

void frmMain::notifyUser(const std::string& text, const std::string& title) {
    log_.logMsg("Updates found; notifying user...");
    services_.windows.messageBox(handle(), text, title, MessageIcon::Information, MessageButtons::Ok);
}

void frmMain::openUpdate(bool automatic) {
    update_ = std::make_unique<frmUpdate>(updateContext(), versionCaption(), lastUpdate_);
    shareTransparency(*update_);
    update_->automatic = automatic;
    if (automatic) {
        // The check runs without the window; it stays loaded only while
        // updates it found wait for the user.
        update_->cmdCheckUpdates_Click();
        if (!update_->candidatesWaiting()) update_.reset();
        return;
    }
    if (!showUpdate) return;  // tests drive the window themselves
    showUpdate(*update_);
    update_.reset();
}

void frmMain::mnuFileCheckUpdates_Click() { openUpdate(false); }
