#pragma once

#include <string>

#include "app/ActivityLog.h"
#include "app/AppFlags.h"
#include "app/Services.h"
#include "plugins/PluginKind.h"

// The plug-in chosen in the current list.
struct PluginSelection {
    std::string name;
    std::string path;  // folder + file name; empty when nothing is selected
    PluginKind kind = PluginKind::GPU;
};

// The user's commands that run a plug-in's own dialogs.
class PluginCommands {
public:
    PluginCommands(Services& services, ActivityLog& log, const AppFlags& flags)
        : services_(services), log_(log), flags_(flags) {}

    // Each returns false when nothing was selected (the user was told).
    bool Configure(const PluginSelection& selection, WindowHandle mainWindow);
    bool Test(const PluginSelection& selection, WindowHandle mainWindow);
    bool About(const PluginSelection& selection, WindowHandle mainWindow);

private:
    bool checkSelected(const PluginSelection& selection, WindowHandle mainWindow);
    // The steps every command starts with: a plug-in must be selected, the
    // log line (if any) is written, its folder becomes the current one.
    bool begin(const PluginSelection& selection, WindowHandle mainWindow, const std::string& logLine);
    template <typename Call>
    void withN64Library(const PluginSelection& selection, Call call);

    Services& services_;
    ActivityLog& log_;
    const AppFlags& flags_;
};
