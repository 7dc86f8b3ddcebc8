#include "plugins/PluginCommands.h"

#include "app/Helpers.h"
#include "plugins/clsN64.h"
#include "plugins/clsPSX.h"

bool PluginCommands::checkSelected(const PluginSelection& selection, WindowHandle mainWindow) {
    if (!selection.path.empty()) return true;
    services_.windows.messageBox(mainWindow, "You'll need to select a plugin first.", "Select a Plugin",
                                 MessageIcon::Exclamation, MessageButtons::Ok);
    return false;
}

bool PluginCommands::begin(const PluginSelection& selection, WindowHandle mainWindow, const std::string& logLine) {
    if (!checkSelected(selection, mainWindow)) return false;
    if (!logLine.empty()) log_.logMsg(logLine + ParseFileName(selection.path), true);
    services_.files.setCurrentDirectory(ParsePath(selection.path));
    return true;
}

template <typename Call>
void PluginCommands::withN64Library(const PluginSelection& selection, Call call) {
    const LibraryHandle library = services_.libraries.load(selection.path);
    call(library);
    if (library) services_.libraries.free(library);
}

bool PluginCommands::Configure(const PluginSelection& selection, WindowHandle mainWindow) {
    // Only PSX configuration is logged.
    const bool psx = SystemOf(selection.kind) == EmuSystem::PSX;
    if (!begin(selection, mainWindow, psx ? "Calling configuration in plugin " : "")) return false;
    if (psx) {
        clsPSX(services_.libraries, services_.windows, mainWindow)
            .StdCall(selection.path, PsxTypeCode(selection.kind), "configure");
    } else if (flags_.blN64ConfigEnabled) {
        clsN64 probe(services_.libraries, services_.windows, mainWindow);
        withN64Library(selection, [&](LibraryHandle library) { probe.DLLConfig(library); });
    }
    return true;
}

bool PluginCommands::Test(const PluginSelection& selection, WindowHandle mainWindow) {
    if (!begin(selection, mainWindow, "Calling test in plugin ")) return false;
    if (SystemOf(selection.kind) == EmuSystem::PSX) {
        clsPSX(services_.libraries, services_.windows, mainWindow)
            .TestPlugin(selection.path, PsxTypeCode(selection.kind), selection.name);
    } else {
        clsN64 probe(services_.libraries, services_.windows, mainWindow);
        withN64Library(selection, [&](LibraryHandle library) { probe.DLLTest(library, selection.name); });
    }
    return true;
}

bool PluginCommands::About(const PluginSelection& selection, WindowHandle mainWindow) {
    if (!begin(selection, mainWindow, "Calling about in plugin ")) return false;
    if (SystemOf(selection.kind) == EmuSystem::PSX) {
        clsPSX(services_.libraries, services_.windows, mainWindow)
            .StdCall(selection.path, PsxTypeCode(selection.kind), "about");
    } else {
        clsN64 probe(services_.libraries, services_.windows, mainWindow);
        withN64Library(selection, [&](LibraryHandle library) { probe.DLLAbout(library, selection.name); });
    }
    return true;
}
