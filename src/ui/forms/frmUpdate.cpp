#include "ui/forms/frmUpdate.h"

#include "app/Helpers.h"

namespace {
const char* const kListFailedTitle = "Could Not Download Update List";
const char* const kListFailed =
    "Corvane encountered an error while attempting to download the list of plugins from the server.";
constexpr std::uint64_t kListCap = 1 << 20;

std::vector<std::string> InstalledFiles(const std::vector<UpdateRecord>& candidates) {
    std::vector<std::string> files;
    for (const UpdateRecord& candidate : candidates) files.push_back(candidate.installedFile);
    return files;
}
}  // namespace

frmUpdate::frmUpdate(UpdateContext context, const std::string& versionCaption, const std::string& lastUpdate)
    : context_(std::move(context)) {
    setCaption("Corvane: Plugin Updates");
    cmdCheckUpdates.setCaption("&Check for Updates");
    lblUpdate.setCaption(versionCaption + "\n\nPlugin updates come from the Corvane update service.\nLast Update Performed on:");
    lblLastUpdate.setCaption(lastUpdate);
    status("Idle");
    cmdCheckUpdates.onClick = [this] { cmdCheckUpdates_Click(); };
    onActivate = [this] { Form_Activate(); };
}

void frmUpdate::Form_Activate() {
    if (candidatesWaiting() && !querying_) Query();
}

std::optional<UpdateList> frmUpdate::fetchList(EmuSystem system) {
    const bool psx = system == EmuSystem::PSX;
    const std::string file = context_.tempFolder + (psx ? "ocvxpsx.tmp" : "ocvxn64.tmp");
    const auto problem = context_.services.downloads.download(
        DownloadRequest{context_.serviceAddress + "zip.php?id=" + (psx ? "1" : "3"), file, kListCap, 30000});
    IWindowServices& windows = context_.services.windows;
    if (problem) {
        context_.log.logMsg(*problem);
        // The PSX list's failure is not shown from the tray or to an
        // automatic check; the N64 list's always is.
        if (!psx || (!automatic && !context_.inTray()))
            windows.messageBox(handle(),
                               std::string(kListFailed) +
                                   (psx ? "\r\nEither the server is down at the moment or there is a problem with "
                                          "your Internet connection."
                                        : ""),
                               kListFailedTitle, MessageIcon::Critical, MessageButtons::Ok);
        return std::nullopt;
    }
    const auto text = context_.services.files.readFile(file);
    if (!text) {
        windows.messageBox(handle(),
                           "The update list did not download correctly. There may be a problem with your Internet "
                           "Explorer Installation.",
                           "Unhandled Error", MessageIcon::Critical, MessageButtons::Ok);
        return std::nullopt;
    }
    return ReadUpdateList(*text, system,
                          [this](const std::string& line) { context_.log.logMsg("Update list entry skipped: " + line); });
}

bool frmUpdate::check() {
    status("Checking connection...");
    status("Downloading plugin list...");
    const auto psxList = fetchList(EmuSystem::PSX);
    if (!psxList) return false;
    const auto n64List = fetchList(EmuSystem::N64);
    if (!n64List || n64List->warning) return false;

    status("Scanning plugins...");
    psx_ = FindCandidates(context_.catalogue(EmuSystem::PSX), *psxList);
    n64_ = FindCandidates(context_.catalogue(EmuSystem::N64), *n64List);
    context_.markUpdatable(EmuSystem::PSX, InstalledFiles(psx_));
    context_.markUpdatable(EmuSystem::N64, InstalledFiles(n64_));
    const std::size_t count = psx_.size() + n64_.size();
    if (count == 0) {
        status("No updates were found...");
    } else {
        status("Updates found for " + std::to_string(count) + " plugin(s)...");
        context_.notify("New updates have been found for " + std::to_string(count) + " of your plugins.",
                        "New Updates are Available");
        if (context_.mainVisible()) Query();
    }
    const std::string now = context_.services.clock.formatGeneral(context_.services.clock.now());
    context_.setLastUpdate(now);
    lblLastUpdate.setCaption(now);
    return true;
}

void frmUpdate::cmdCheckUpdates_Click() {
    cmdCheckUpdates.setEnabled(false);
    const bool done = check();
    if (!done) status("Idle");
    cmdCheckUpdates.setEnabled(true);
    // An automatic check that could not connect leaves no window behind.
    if (!done && automatic) unload();
}

bool frmUpdate::ask(const UpdateRecord& candidate, EmuSystem system) {
    const bool psx = system == EmuSystem::PSX;
    DateTime released;
    const auto date = FileTimeToDate(static_cast<FileTime>(candidate.released) * 864000000000ull);
    if (date) released = *date;
    const std::string text = std::string(psx ? "An update has been found for " : "A potential update has been found for ") +
                             candidate.installedName + ". Do you want to update it with:\r\n" + candidate.pluginName +
                             " version " + (psx ? VersionText(candidate.version) : candidate.versionText) + " (" +
                             candidate.fileName + ") released " +
                             context_.services.clock.formatShortDate(released) +
                             "?";
    return context_.services.windows.messageBox(handle(), text, "Plugin Update Query", MessageIcon::Question,
                                                MessageButtons::YesNo) == MessageAnswer::Yes;
}

void frmUpdate::Query() {
    querying_ = true;
    std::vector<UpdateRecord> acceptedPsx, acceptedN64;
    for (const UpdateRecord& candidate : psx_)
        if (ask(candidate, EmuSystem::PSX)) acceptedPsx.push_back(candidate);
    for (const UpdateRecord& candidate : n64_)
        if (ask(candidate, EmuSystem::N64)) acceptedN64.push_back(candidate);
    if (acceptedPsx.empty() && acceptedN64.empty())
        status("Idle");
    else if (context_.install)
        context_.install(acceptedPsx, acceptedN64);
    prgUpdate.setValue(0);
    querying_ = false;
    psx_.clear();
    n64_.clear();
}
