#pragma once

#include <optional>
#include <string>

// The command-line program's console: standard output and error (UTF-8
// text; the back end writes it as the console or a pipe wants it) and a
// line read from standard input.
class IConsole {
public:
    virtual ~IConsole() = default;
    virtual void out(const std::string& text) = 0;
    virtual void err(const std::string& text) = 0;
    // The next line typed, without its line end; nothing at the end of input.
    virtual std::optional<std::string> readLine() = 0;
};
