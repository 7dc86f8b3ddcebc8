#pragma once

// A test over the doubles of every platform service, with the program
// folder C:\Corvane, and what tests ask of them most.

#include <gtest/gtest.h>

#include "app/AppFlags.h"
#include "app/Utf16.h"
#include "doubles/FakeServices.h"
#include "emulators/EmulatorEntry.h"

const char* const kSettings = "C:\\Corvane\\settings.ini";
const char* const kLog = "C:\\Corvane\\corvane.log";
// 5 December 2026, as a file time.
constexpr FileTime kDecember5 = (134774ull + 20792) * 864000000000ull;

class ServicesFixture : public ::testing::Test, public FakeServices {
protected:
    ServicesFixture() {
        files.addDirectory("C:\\Corvane");
        files.addDirectory(files.tempFolder());
    }

    void settings(const std::string& text) { files.addFile(kSettings, text); }
    // settings.ini with logging on, these emulators and `lastEmu` chosen;
    // `configuration` adds keys to section Configuration.
    void emulators(const std::vector<EmulatorEntry>& entries, int lastEmu, const std::string& configuration = "") {
        std::string text = "[Configuration]\r\nLogging=-1\r\nLastEmu=" + std::to_string(lastEmu) + "\r\n" +
                           configuration + "[Emulators]\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            text += "Name" + n + "=" + entries[i].Name + "\r\nSystem" + n + "=" +
                    std::to_string(SystemCode(entries[i].System)) + "\r\nType" + n + "=" + entries[i].Type +
                    "\r\nExe" + n + "=" + entries[i].Exe + "\r\nPlugins" + n + "=" + entries[i].Plugins + "\r\n";
        }
        settings(text);
    }
    // settings.ini names this update service.
    void serviceAt(const std::string& address) {
        settings(TextOfFile(files.contents(kSettings)) + "[Updates]\r\nServiceAddress=" + address + "\r\n");
    }
    // What shutdown wrote to settings.ini, as text.
    std::string writtenSettings() const { return TextOfFile(files.contents(kSettings)); }
    // How many times the log holds the line.
    int logCount(const std::string& line) const {
        const std::string log = files.contents(kLog);
        int found = 0;
        for (auto at = log.find("]: " + line + "\r\n"); at != std::string::npos; at = log.find("]: " + line + "\r\n", at + 1))
            ++found;
        return found;
    }
    bool logHas(const std::string& line, int times = 1) const { return logCount(line) >= times; }
    // A plug-in file in the fake folders, loadable as a fake library.
    void addPlugin(const std::string& path, FakeLibraries::Exports exports) {
        files.addFile(path, "MZ", kDecember5);
        libraries.add(path, std::move(exports));
    }
    std::string value(const std::string& key, const std::string& name) {
        const auto stored = registry.queryValue(key, name);
        return stored ? stored->text : "(missing)";
    }

    AppFlags flags;
};
