// Plug-in updates: the update window, the automatic check, the marks on
// the lists and the notification.
#include "app/Helpers.h"
#include "files/ArchiveImport.h"
#include "files/PluginFileNames.h"
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
        [this] { return sitsInTray(); },
        [this](const std::string& when) { lastUpdate_ = when; },
        [this](const std::vector<UpdateRecord>& psx, const std::vector<UpdateRecord>& n64) { installUpdates(psx, n64); }};
}

void frmMain::notifyUser(const std::string& text, const std::string& title) {
    log_.logMsg("Updates found; notifying user...");
    if (sitsInTray() && m_frmSysTray.ShowBalloonTip(text, title, BalloonIcon::Info, 10000)) {
        updatesWaiting_ = true;
        return;
    }
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

namespace {
const char* const kDownloadFailedTitle = "Could Not Download Plugin Updates";
const char* const kDownloadFailed = "Corvane encountered an error while attempting to download the plugin updates.";
constexpr std::uint64_t kArchiveCap = 64ull << 20;
}  // namespace

bool frmMain::installInto(const std::string& archive, const std::string& folder) {
    // Unpacked beside the plug-ins first, then moved into place: a plug-in
    // a running emulator holds is set aside, and a folder is never left
    // half updated.
    const std::string staging = QualifyPath(folder) + "~corvane-update\\";
    if (!services_.files.isDirectory(folder)) services_.files.createDirectory(folder);
    return ExtractArchive(services_.extraction, archive, staging).ok() &&
           MoveStagedFiles(services_.files, staging, QualifyPath(folder));
}

void frmMain::installUpdates(const std::vector<UpdateRecord>& psx, const std::vector<UpdateRecord>& n64) {
    frmUpdate& window = *update_;
    const std::string archive = tempFolder_ + "ocvxpupdate.zip";
    window.prgUpdate.setMaximum(static_cast<int>(2 * (psx.size() + n64.size())));
    window.prgUpdate.setValue(0);
    const auto fail = [&](const std::string& text, const std::string& title) {
        services_.windows.messageBox(window.handle(), text, title, MessageIcon::Critical, MessageButtons::Ok);
        window.status("Idle");
        if (services_.files.anyMatch(archive)) services_.files.deleteFile(archive);
    };
    for (EmuSystem system : {EmuSystem::PSX, EmuSystem::N64}) {
        for (const UpdateRecord& update : system == EmuSystem::PSX ? psx : n64) {
            window.status("Downloading " + update.pluginName);
            const auto problem = services_.downloads.download(DownloadRequest{update.address, archive, kArchiveCap, 30000});
            // A cut or damaged archive is a failed download: every entry is
            // checked before anything is written.
            if (problem || !ExtractArchive(services_.extraction, archive, tempFolder_, true).ok())
                return fail(kDownloadFailed, kDownloadFailedTitle);
            window.prgUpdate.setValue(window.prgUpdate.value() + 1);
            window.status("Distributing " + update.pluginName);
            services_.windows.setBusyCursor(true);
            services_.files.setCurrentDirectory(programFolder_);
            // Where this system's lists were scanned from, whatever the
            // selector shows.
            std::vector<std::string> folders{catalogue(system).folder};
            if (option(Option::Distribute).checked())
                for (const EmulatorEntry& entry : database_.Entries())
                    if (entry.System == system && !SamePath(services_.files, entry.Plugins, folders.front()))
                        folders.push_back(QualifyPath(entry.Plugins));
            for (const std::string& folder : folders) {
                if (installInto(archive, folder)) continue;
                services_.windows.setBusyCursor(false);
                return fail("Corvane could not replace the files of " + update.pluginName + " in " + folder + ".",
                            "Could Not Install Plugin Update");
            }
            services_.windows.setBusyCursor(false);
            window.prgUpdate.setValue(window.prgUpdate.value() + 1);
        }
    }
    services_.files.deleteFile(archive);
    window.status("Plugins updated...");
    RefreshCurrentPluginSet(true);
}
