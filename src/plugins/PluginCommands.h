#pragma once

#include <optional>
#include <string>

#include "app/ActivityLog.h"
#include "app/Notice.h"
#include "app/Services.h"
#include "plugins/PluginKind.h"

// The plug-in chosen in the current list.
struct PluginSelection {
    std::string name;
    std::string path;  // folder + file name; empty when nothing is selected
    PluginKind kind = PluginKind::GPU;
};

// The user's commands that run a plug-in's own dialogs. Each returns what
// the user is to be told, if anything: that no plug-in is selected, or what
// the plug-in said of itself.
class PluginCommands {
public:
    PluginCommands(Services& services, ActivityLog& log) : services_(services), log_(log) {}

    // N64 plug-ins are configured only with configuration switched on.
    std::optional<Notice> Configure(const PluginSelection& selection, WindowHandle mainWindow, bool n64Configuration);
    std::optional<Notice> Test(const PluginSelection& selection, WindowHandle mainWindow);
    std::optional<Notice> About(const PluginSelection& selection, WindowHandle mainWindow);

private:
    // The steps every command starts with: the log line (if any) is
    // written, the plug-in's folder becomes the current one.
    void begin(const PluginSelection& selection, const std::string& logLine);

    Services& services_;
    ActivityLog& log_;
};
