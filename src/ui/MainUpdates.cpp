#include "ui/MainUpdates.h"

#include "session/UpdateCommands.h"
#include "ui/frmMain.h"

void MainUpdates::open(bool automatic) {
    // One check at a time: the window of a running one, or the one on
    // screen, must outlive it.
    if (running() || showing_) return;
    // Updates a balloon told of are found again, or are gone.
    waiting_ = false;
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
    show();
}

void MainUpdates::showWaiting() {
    waiting_ = false;
    if (form_ && !showing_) show();
}

void MainUpdates::show() {
    if (!main_.showUpdate) return;  // tests drive the window themselves
    showing_ = true;
    main_.showUpdate(*form_);
    showing_ = false;
    form_.reset();
    closeIfAsked();
}

bool MainUpdates::holdClose() {
    if (!running()) return false;
    closeAfterRun_ = true;
    form_->requestClose();
    return true;
}

void MainUpdates::found() {
    main_.session().log().logMsg("Updates found; notifying user...");
    const std::size_t count = main_.session().updates().waiting().count();
    const std::string text = "New updates have been found for " + std::to_string(count) + " of your plugins.";
    if (main_.sitsInTray()) {
        // Nothing but a balloon reaches a user who sent Corvane to the tray:
        // the updates wait for a click on it or on the icon.
        waiting_ = true;
        main_.sysTray().ShowBalloonTip(text, "New Updates are Available", BalloonIcon::Info, 10000);
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
}

void MainUpdates::closeIfAsked() {
    if (!closeAfterRun_) return;
    closeAfterRun_ = false;
    main_.unload();
}
