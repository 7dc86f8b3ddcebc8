#include "ui/forms/frmUpdate.h"

#include "session/UpdateCommands.h"

class frmUpdate::Work {
public:
    explicit Work(frmUpdate& form) : form_(form), outer_(!form.busy_) {
        if (!outer_) return;
        form_.session_.updates().beginRun();
        form_.setBusy(true);
    }
    ~Work() {
        if (outer_) form_.setBusy(false);
    }
    Work(const Work&) = delete;
    Work& operator=(const Work&) = delete;

private:
    frmUpdate& form_;
    bool outer_;
};

frmUpdate::frmUpdate(Session& session, const std::string& versionCaption, bool automatic, bool inTray)
    : session_(session), automatic_(automatic), quiet_(automatic || inTray) {
    setCaption("Corvane: Plugin Updates");
    cmdCheckUpdates.setCaption("&Check for Updates");
    cmdCancel.setCaption("Cancel");
    cmdCancel.setEnabled(false);
    lblUpdate.setCaption(versionCaption + "\n\nPlugin updates come from the Corvane update service.\nLast Update Performed on:");
    lblLastUpdate.setCaption(session.settings().lastUpdate);
    status("Idle");
    cmdCheckUpdates.onClick = [this] { cmdCheckUpdates_Click(); };
    cmdCancel.onClick = [this] { session_.updates().cancel(); };
    onActivate = [this] { Form_Activate(); };
    // Closing the window while it works stops the download; the window
    // goes once the work has stopped.
    onQueryUnload = [this] {
        if (!busy_) return true;
        closeAsked_ = true;
        session_.updates().cancel();
        return false;
    };
}

void frmUpdate::setBusy(bool busy) {
    busy_ = busy;
    cmdCheckUpdates.setEnabled(!busy);
    cmdCancel.setEnabled(busy);
    if (onBusyChanged) onBusyChanged();
    if (!busy && closeAsked_) unload();
}

void frmUpdate::Form_Activate() {
    // Updates found in the background are asked about when the window
    // shows; a box of the check itself activates the window again, and
    // must not start the questions under it.
    if (!busy_ && session_.updates().waiting().count() > 0 && !session_.updates().querying()) Query();
}

void frmUpdate::progress(const std::string& text, int done, int total) {
    status(text);
    if (total <= 0) return;
    prgUpdate.setMaximum(total);
    prgUpdate.setValue(done);
}

void frmUpdate::cmdCheckUpdates_Click() {
    if (busy_) return;
    const Work work(*this);
    const bool done = session_.updates().check(quiet_);
    if (done) lblLastUpdate.setCaption(session_.settings().lastUpdate);
    else status("Idle");
    if (done && session_.updates().waiting().count() > 0 && onUpdatesFound) onUpdatesFound();
    // An automatic check that could not connect leaves no window behind.
    if (!done && automatic_) unload();
}

void frmUpdate::Query() {
    const Work work(*this);
    session_.updates().query();
    prgUpdate.setValue(0);
}
