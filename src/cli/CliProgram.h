#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/AppFlags.h"
#include "cli/Console.h"
#include "cli/ConsoleUser.h"
#include "session/Session.h"

// corvane-cli: the session's use cases for scripts and game front-ends,
// over the program folder the program sits in.
class CliProgram {
public:
    // The exit codes; a launch ends with the emulator's own.
    static constexpr int kDone = 0, kFailed = 1, kUsage = 2, kNotStarted = 3;

    // `probe`: the helper process the window uses too; without one the
    // libraries are checked in this process.
    CliProgram(Services& services, IConsole& console, IPluginProbe* probe);

    // The arguments after the program's name, as UTF-8.
    int run(const std::vector<std::string>& arguments);

private:
    struct Options {
        std::vector<std::string> words;
        bool json = false, yes = false, cd = false, noProfile = false, install = false;
        std::optional<std::string> image;
    };
    std::optional<Options> parse(const std::vector<std::string>& arguments);
    int dispatch(const Options& options);
    int usage();
    int failed(const std::string& title, const std::string& text);
    // The emulator a word names, by number or by name; nothing (the user
    // told) when none is.
    std::optional<int> emulator(const std::string& word);
    int result() const { return user_.failed() ? kFailed : kDone; }

    int plugins(const Options& options);
    int select(const Options& options);
    int launch(const Options& options);
    int loadProfile(const Options& options);
    int import(const Options& options);
    int updates(const Options& options);

    Services& services_;
    IConsole& console_;
    ConsoleUser user_;
    AppFlags flags_;
    Session session_;
};
