#pragma once

#include <memory>

#include "ui/forms/frmUpdate.h"

class frmMain;

// The main window's side of plug-in updates: it opens the update window
// (for the menu, the update timer and the tray), tells of the updates a
// check found and asks about them at once unless Corvane sits in the tray,
// keeps every command that would start another check off while one runs,
// and holds a close asked for meanwhile until the run has stopped.
class MainUpdates {
public:
    explicit MainUpdates(frmMain& main) : main_(main) {}

    // Checks, in the update window or (automatic) without showing it.
    void open(bool automatic);
    // Shows the update window that holds updates a balloon told of.
    void showWaiting();
    // True after a balloon told of updates the user has not seen yet.
    bool waiting() const { return waiting_; }
    // The update window while it is loaded.
    frmUpdate* dialog() { return form_.get(); }
    const frmUpdate* dialog() const { return form_.get(); }
    // True while a check, or its questions and installation, run.
    bool running() const { return form_ && form_->busy(); }
    // Corvane is to close: while updates run, the download stops and the
    // main window closes once the run has ended; true then.
    bool holdClose();

private:
    void show();
    void found();
    void reflect();
    void closeIfAsked();

    frmMain& main_;
    std::unique_ptr<frmUpdate> form_;
    bool waiting_ = false;
    // The update window is on screen, modal: it stays until it is closed.
    bool showing_ = false;
    bool closeAfterRun_ = false;
};
