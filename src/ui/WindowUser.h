#pragma once

#include <functional>
#include <string>

#include "app/WindowServices.h"
#include "session/User.h"

// The user as Corvane's windows reach them: boxes and the file dialog over
// the program's window in front (a dialog the user works in, else the main
// window), the busy cursor; progress and the status line go where the main
// window puts them.
class WindowUser : public IUser {
public:
    explicit WindowUser(IWindowServices& windows) : windows_(windows) {}

    void tell(const std::string& title, const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& title, const std::string& text, MessageIcon icon) override;
    std::optional<std::string> chooseFile(const FileQuestion& question) override;
    void progress(const std::string& text, int done, int total) override;
    void status(const std::string& text) override;
    void busy(bool busy) override { windows_.setBusyCursor(busy); }

    std::function<void(const std::string& text, int done, int total)> onProgress;
    std::function<void(const std::string& text)> onStatus;

    // The program's window in front: the last loaded form on screen.
    static WindowHandle Front();

private:
    IWindowServices& windows_;
};
