#include "ui/MainUpdates.h"

#include "session/UpdateCommands.h"
#include "ui/frmMain.h"

void MainUpdates::open(bool automatic) {
    // One check at a time: the window of a running one must outlive it.
    if (running()) return;
    form_ = std::make_unique<frmUpdate>(main_.session(), main_.versionCaption(), automatic, main_.sitsInTray());
    main_.shareTransparency(*form_);
    form_->onUpdatesFound = [this] { found(); };
    form_->onBusyChanged = [this] { reflect(); };
    if (automatic) {
        // The check runs without the window; it stays loaded only while
        // updates it found wait for the user.
        form_->cmdCheckUpdates_Click();
        if (main_.session().updates().waiting().count() == 0) form_.reset();
        return closeIfAsked();
    }
    if (!main_.showUpdate) return;  // tests drive the window themselves
    main_.showUpdate(*form_);
    form_.reset();
    closeIfAsked();
}

void MainUpdates::showWaiting() {
    waiting_ = false;
    if (!form_ || !main_.showUpdate) return;  // tests drive the window themselves
    main_.showUpdate(*form_);
    form_.reset();
    closeIfAsked();
}

bool MainUpdates::holdClose() {
    if (!running()) return false;
    main_.session().updates().cancel();
    closeAfterRun_ = true;
    return true;
}

void MainUpdates::found() {
    main_.session().log().logMsg("Updates found; notifying user...");
    const std::size_t count = main_.session().updates().waiting().count();
    const std::string text = "New updates have been found for " + std::to_string(count) + " of your plugins.";
    if (main_.sitsInTray() &&
        main_.sysTray().ShowBalloonTip(text, "New Updates are Available", BalloonIcon::Info, 10000)) {
        waiting_ = true;
        return;
    }
    // On screen or minimized on the taskbar: the window comes forward and
    // the questions follow at once, over it.
    main_.restoreMain();
    main_.user_.tell("New Updates are Available", text, MessageIcon::Information);
    form_->Query();
}

void MainUpdates::reflect() {
    const bool idle = !running();
    main_.mnuFileCheckUpdates.setEnabled(idle);
    main_.mnuPluginsUndoUpdate.setEnabled(idle);
    main_.sysTray().mnuSysTray[frmSysTray::Update].setEnabled(idle);
    // A close asked for meanwhile: the update window goes first.
    if (idle && closeAfterRun_) form_->unload();
}

void MainUpdates::closeIfAsked() {
    if (!closeAfterRun_) return;
    closeAfterRun_ = false;
    main_.unload();
}
