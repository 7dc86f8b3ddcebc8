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

void PluginCommands::enterFolder(const PluginSelection& selection) {
    services_.files.setCurrentDirectory(ParsePath(selection.path));
}

template <typename Call>
void PluginCommands::withN64Library(const PluginSelection& selection, Call call) {
    const LibraryHandle library = services_.libraries.load(selection.path);
    call(library);
    if (library) services_.libraries.free(library);
}

bool PluginCommands::Configure(const PluginSelection& selection, WindowHandle mainWindow) {
    if (!checkSelected(selection, mainWindow)) return false;
    enterFolder(selection);
    if (selection.system == 0) {
        log_.logMsg("Calling configuration in plugin " + ParseFileName(selection.path), true);
        clsPSX(services_.libraries, services_.windows, mainWindow).StdCall(selection.path, selection.type, "configure");
    } else if (flags_.blN64ConfigEnabled) {
        clsN64 probe(services_.libraries, services_.windows, mainWindow);
        withN64Library(selection, [&](LibraryHandle library) { probe.DLLConfig(library); });
    }
    return true;
}

bool PluginCommands::Test(const PluginSelection& selection, WindowHandle mainWindow) {
    if (!checkSelected(selection, mainWindow)) return false;
    log_.logMsg("Calling test in plugin " + ParseFileName(selection.path), true);
    enterFolder(selection);
    if (selection.system == 0) {
        clsPSX(services_.libraries, services_.windows, mainWindow).TestPlugin(selection.path, selection.type,
                                                                             selection.name);
    } else {
        clsN64 probe(services_.libraries, services_.windows, mainWindow);
        withN64Library(selection, [&](LibraryHandle library) { probe.DLLTest(library, selection.name); });
    }
    return true;
}

bool PluginCommands::About(const PluginSelection& selection, WindowHandle mainWindow) {
    if (!checkSelected(selection, mainWindow)) return false;
    log_.logMsg("Calling about in plugin " + ParseFileName(selection.path), true);
    enterFolder(selection);
    if (selection.system == 0) {
        clsPSX(services_.libraries, services_.windows, mainWindow).StdCall(selection.path, selection.type, "about");
    } else {
        clsN64 probe(services_.libraries, services_.windows, mainWindow);
        withN64Library(selection, [&](LibraryHandle library) { probe.DLLAbout(library, selection.name); });
    }
    return true;
}
