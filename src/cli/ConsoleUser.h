#pragma once

#include "cli/Console.h"
#include "session/User.h"

// The user at a console: what the window would show in a box goes to
// standard error with its title; a question is answered by typing y or n,
// or yes to every one with --yes. Nothing is ever shown in a window.
class ConsoleUser : public IUser {
public:
    explicit ConsoleUser(IConsole& console) : console_(console) {}

    void tell(const std::string& title, const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& title, const std::string& text, MessageIcon icon) override;
    std::optional<std::string> chooseFile(const FileQuestion&) override { return std::nullopt; }
    void progress(const std::string&, int, int) override {}
    void status(const std::string&) override {}
    void busy(bool) override {}

    void answerYes() { answerYes_ = true; }
    // True once the user was told of a failure (a warning is none).
    bool failed() const { return failed_; }

private:
    IConsole& console_;
    bool answerYes_ = false;
    bool failed_ = false;
};
