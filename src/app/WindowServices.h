#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/WindowHandle.h"

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Window-level services of the system: message boxes, transparency and
// activation, and the folder picker.
class IWindowServices {
public:
    virtual ~IWindowServices() = default;

    // A modal message box; the answer is the button the user pressed
    // (closing the box counts as Cancel, or as Ok for an Ok-only box).
    virtual MessageAnswer messageBox(WindowHandle owner, const std::string& text,
                                     const std::string& title, MessageIcon icon,
                                     MessageButtons buttons) = 0;

    // Makes the window layered and gives it this alpha (0 clear .. 255 opaque).
    virtual bool setWindowAlpha(WindowHandle window, int alpha) = 0;
    virtual bool setForeground(WindowHandle window) = 0;
    // The hourglass while a long operation runs, the arrow again after it.
    virtual void setBusyCursor(bool busy) = 0;

    // The system's folder picker: file-system folders only, with an edit
    // box, new dialog style. The chosen folder, or nothing when cancelled.
    virtual std::optional<std::string> browseForFolder(WindowHandle owner,
                                                       const std::string& title) = 0;

    // The system's open-file dialog for one existing file, showing the files
    // that match pattern under filterName. The chosen path, or nothing.
    virtual std::optional<std::string> openFile(WindowHandle owner, const std::string& title,
                                                const std::string& filterName, const std::string& pattern,
                                                const std::string& defaultExtension) = 0;
    // The open-file dialog for one or more existing files, with filters of
    // (name, pattern). The chosen paths; none when cancelled.
    virtual std::vector<std::string> openFiles(WindowHandle owner, const std::string& title,
                                               const std::vector<std::pair<std::string, std::string>>& filters) = 0;
    // The open-file dialog for one existing file with several filters.
    virtual std::optional<std::string> openFileOf(WindowHandle owner, const std::string& title,
                                                  const std::vector<std::pair<std::string, std::string>>& filters,
                                                  const std::string& defaultExtension) = 0;
    // The save-file dialog; the system asks before an existing file is
    // chosen. The chosen path, or nothing when cancelled.
    virtual std::optional<std::string> saveFile(WindowHandle owner, const std::string& title,
                                                const std::vector<std::pair<std::string, std::string>>& filters,
                                                const std::string& defaultExtension) = 0;
};
