#pragma once

#include <functional>
#include <string>

#include "session/Session.h"
#include "ui/Form.h"

// The update window: it runs the session's update check and asks the user
// about each update found.
class frmUpdate : public Form {
public:
    // An automatic check (the update timer's, or the tray's) keeps its
    // failures to the log, as does one started while Corvane sits in the
    // tray.
    frmUpdate(Session& session, const std::string& versionCaption, bool automatic, bool inTray);

    Label lblUpdate, lblLastUpdate;
    Button cmdCheckUpdates, cmdCancel;
    ProgressBar prgUpdate;
    StatusBar barStatus;

    void cmdCheckUpdates_Click();
    void Form_Activate();
    void Query();
    // What the check or the installation does now, and how far it is.
    void progress(const std::string& text, int done, int total);
    // True while the check, or the questions and the installation, run.
    bool busy() const { return busy_; }
    // The check found updates; they wait in the session.
    std::function<void()> onUpdatesFound;
    // The window's work started or ended.
    std::function<void()> onBusyChanged;

private:
    // Marks the window busy for its lifetime, unless it is already.
    class Work;
    void status(const std::string& text) { barStatus.setCaption("Orvisk's Corvane: " + text); }
    void setBusy(bool busy);

    Session& session_;
    bool automatic_;
    bool quiet_;
    bool busy_ = false;
    bool closeAsked_ = false;
};
