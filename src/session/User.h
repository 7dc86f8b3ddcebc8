#pragma once

#include <optional>
#include <string>

#include "app/WindowServices.h"

// A file the user is asked for: the question's title, the filter's name and
// pattern, and the extension a typed name without one gets.
struct FileQuestion {
    std::string title, filterName, pattern, defaultExtension;
};

// How the session reaches the user: the main window's boxes, dialogs and
// status line, or the console of the command-line program. No session or
// domain code shows a window itself.
class IUser {
public:
    virtual ~IUser() = default;

    // Tells the user something, with a box's title and icon.
    virtual void tell(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // A yes/no question; true for yes.
    virtual bool ask(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // One existing file, or nothing when the user declines.
    virtual std::optional<std::string> chooseFile(const FileQuestion& question) = 0;
    // A long operation's step: what it does now and how far it is (total 0
    // when it cannot say).
    virtual void progress(const std::string& text, int done, int total) = 0;
    // The status line under the plug-in lists.
    virtual void status(const std::string& text) = 0;
    // Work that keeps the user waiting starts (true) or ends.
    virtual void busy(bool busy) = 0;
};
