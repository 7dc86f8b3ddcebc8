#include "plugins/PluginCommands.h"

#include "app/Helpers.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

namespace {
const Notice kSelectFirst{"Select a Plugin", "You'll need to select a plugin first.", MessageIcon::Exclamation};

std::optional<Notice> TestNotice(const std::string& name, int type, std::optional<PsxTestVerdict> verdict) {
    const std::string title = clsPSX::Prefix(type) + " Plugin Test";
    if (!verdict) return std::nullopt;
    switch (*verdict) {
        case PsxTestVerdict::Unsupported:
            return Notice{title, name + " does not support the test function.", MessageIcon::Exclamation};
        case PsxTestVerdict::Works:
            return Notice{title, name + " reports that it should work properly.", MessageIcon::Information};
        case PsxTestVerdict::NeedsConfiguration:
            return Notice{title, name + " needs to be configured before it will work properly.",
                          MessageIcon::Exclamation};
        case PsxTestVerdict::FatalError:
            return Notice{title, name + " has returned an undefined fatal error. This plugin will not work!",
                          MessageIcon::Critical};
    }
    return std::nullopt;
}
}  // namespace

void PluginCommands::begin(const PluginSelection& selection, const std::string& logLine) {
    if (!logLine.empty()) log_.logMsg(logLine + ParseFileName(selection.path), true);
    services_.files.setCurrentDirectory(ParsePath(selection.path));
}

std::optional<Notice> PluginCommands::Configure(const PluginSelection& selection, WindowHandle mainWindow,
                                                bool n64Configuration) {
    if (selection.path.empty()) return kSelectFirst;
    // Only PSX configuration is logged.
    const bool psx = SystemOf(selection.kind) == EmuSystem::PSX;
    begin(selection, psx ? "Calling configuration in plugin " : "");
    if (psx) {
        clsPSX(services_.libraries).StdCall(selection.path, PsxTypeCode(selection.kind), "configure");
    } else if (n64Configuration) {
        const LoadedLibrary library = services_.libraries.load(selection.path);
        clsN64(services_.libraries, mainWindow).DLLConfig(library.get());
    }
    return std::nullopt;
}

std::optional<Notice> PluginCommands::Test(const PluginSelection& selection, WindowHandle mainWindow) {
    if (selection.path.empty()) return kSelectFirst;
    begin(selection, "Calling test in plugin ");
    if (SystemOf(selection.kind) == EmuSystem::PSX)
        return TestNotice(selection.name, PsxTypeCode(selection.kind),
                          clsPSX(services_.libraries).TestPlugin(selection.path, PsxTypeCode(selection.kind)));
    const LoadedLibrary library = services_.libraries.load(selection.path);
    if (!library || clsN64(services_.libraries, mainWindow).DLLTest(library.get())) return std::nullopt;
    return Notice{"No Test Function!", selection.name + " does not support the Test function.",
                  MessageIcon::Exclamation};
}

std::optional<Notice> PluginCommands::About(const PluginSelection& selection, WindowHandle mainWindow) {
    if (selection.path.empty()) return kSelectFirst;
    begin(selection, "Calling about in plugin ");
    if (SystemOf(selection.kind) == EmuSystem::PSX) {
        clsPSX(services_.libraries).StdCall(selection.path, PsxTypeCode(selection.kind), "about");
        return std::nullopt;
    }
    const LoadedLibrary library = services_.libraries.load(selection.path);
    if (!library || clsN64(services_.libraries, mainWindow).DLLAbout(library.get())) return std::nullopt;
    return Notice{"No About Function", selection.name + " does not support the About function.",
                  MessageIcon::Exclamation};
}
