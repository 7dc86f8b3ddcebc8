#pragma once

// A main window over test doubles of every platform service, with its
// program folder C:\\Corvane.

#include <gtest/gtest.h>

#include "app/Version.h"
#include "doubles/FakeServices.h"
#include "app/Utf16.h"
#include "ui/frmMain.h"

const char* const kSettings = "C:\\Corvane\\settings.ini";
const char* const kLog = "C:\\Corvane\\corvane.log";
// 5 December 2026, as a file time.
constexpr FileTime kDecember5 = (134774ull + 20792) * 864000000000ull;

class MainFixture : public ::testing::Test, public FakeServices {
protected:
    MainFixture() {
        files.addDirectory("C:\\Corvane");
        files.addDirectory(files.tempFolder());
    }

    void settings(const std::string& text) { files.addFile(kSettings, text); }
    // What shutdown wrote to settings.ini, as text.
    std::string writtenSettings() const { return TextOfFile(files.contents(kSettings)); }
    void start() {
        ASSERT_TRUE(main.Splash_Load());
        main.activate();
    }
    // How many times the log holds the line.
    int logCount(const std::string& line) const {
        const std::string log = files.contents(kLog);
        int found = 0;
        for (auto at = log.find("]: " + line + "\r\n"); at != std::string::npos; at = log.find("]: " + line + "\r\n", at + 1))
            ++found;
        return found;
    }
    // Whether the log holds the line at least `times` times.
    bool logHas(const std::string& line, int times = 1) const { return logCount(line) >= times; }
    // A plug-in file in the fake folders, loadable as a fake library.
    void addPlugin(const std::string& path, FakeLibraries::Exports exports) {
        files.addFile(path, "MZ", kDecember5);
        libraries.add(path, std::move(exports));
    }
    std::vector<std::string> names(int list) const {
        std::vector<std::string> result;
        for (const auto& row : main.lstPluginList[list].rows()) result.push_back(row.text);
        return result;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : windows.shownBoxes()) texts.push_back(box.text);
        return texts;
    }

    AppFlags flags;
    frmSplash splash{flags};
    frmMain main{services, flags, splash};
};

