#include "ui/forms/frmUpdate.h"

#include "session/UpdateCommands.h"

frmUpdate::frmUpdate(Session& session, const std::string& versionCaption, bool automatic, bool inTray)
    : session_(session), automatic_(automatic), quiet_(automatic || inTray) {
    setCaption("Corvane: Plugin Updates");
    cmdCheckUpdates.setCaption("&Check for Updates");
    lblUpdate.setCaption(versionCaption + "\n\nPlugin updates come from the Corvane update service.\nLast Update Performed on:");
    lblLastUpdate.setCaption(session.settings().lastUpdate);
    status("Idle");
    cmdCheckUpdates.onClick = [this] { cmdCheckUpdates_Click(); };
    onActivate = [this] { Form_Activate(); };
}

void frmUpdate::Form_Activate() {
    // Updates found in the background are asked about when the window
    // shows; a box of the check itself activates the window again, and
    // must not start the questions under it.
    if (!checking_ && session_.updates().waiting().count() > 0 && !session_.updates().querying()) Query();
}

void frmUpdate::progress(const std::string& text, int done, int total) {
    status(text);
    if (total <= 0) return;
    prgUpdate.setMaximum(total);
    prgUpdate.setValue(done);
}

void frmUpdate::cmdCheckUpdates_Click() {
    cmdCheckUpdates.setEnabled(false);
    checking_ = true;
    const bool done = session_.updates().check(quiet_);
    if (done) lblLastUpdate.setCaption(session_.settings().lastUpdate);
    else status("Idle");
    if (done && session_.updates().waiting().count() > 0 && onUpdatesFound) onUpdatesFound();
    checking_ = false;
    cmdCheckUpdates.setEnabled(true);
    // An automatic check that could not connect leaves no window behind.
    if (!done && automatic_) unload();
}

void frmUpdate::Query() {
    session_.updates().query();
    prgUpdate.setValue(0);
}
