#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/ActivityLog.h"
#include "app/Services.h"
#include "plugins/PluginCatalogue.h"
#include "ui/Form.h"
#include "updates/UpdateList.h"

// What the update window needs of the main window.
struct UpdateContext {
    Services& services;
    ActivityLog& log;
    std::string serviceAddress;  // a base ending in "/"
    std::string tempFolder;      // with its trailing backslash
    std::function<const PluginCatalogue&(EmuSystem)> catalogue;
    // Shows the installed plug-ins of these file names in blue.
    std::function<void(EmuSystem, const std::vector<std::string>& files)> markUpdatable;
    // Tells the user updates were found (a balloon in the tray, else a box).
    std::function<void(const std::string& text, const std::string& title)> notify;
    std::function<bool()> mainVisible;
    std::function<bool()> inTray;
    std::function<void(const std::string& when)> setLastUpdate;
    // Downloads and installs the accepted updates.
    std::function<void(const std::vector<UpdateRecord>& psx, const std::vector<UpdateRecord>& n64)> install;
};

// The update window: downloads the update lists, finds the plug-ins they
// offer something newer for, and asks the user about each.
class frmUpdate : public Form {
public:
    frmUpdate(UpdateContext context, const std::string& versionCaption, const std::string& lastUpdate);

    Label lblUpdate, lblLastUpdate, barStatus;
    Button cmdCheckUpdates;
    ProgressBar prgUpdate;

    // Opened by the update timer: failures show no box, and the window goes
    // after a failed connection.
    bool automatic = false;

    void cmdCheckUpdates_Click();
    void Form_Activate();
    void Query();
    void status(const std::string& text) { barStatus.setCaption("Orvisk's Corvane: " + text); }
    bool candidatesWaiting() const { return !psx_.empty() || !n64_.empty(); }

private:
    bool check();
    std::optional<UpdateList> fetchList(EmuSystem system);
    bool ask(const UpdateRecord& candidate, EmuSystem system);

    UpdateContext context_;
    std::vector<UpdateRecord> psx_, n64_;
    bool querying_ = false;
};
