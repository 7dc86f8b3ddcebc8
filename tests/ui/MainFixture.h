#pragma once

// A main window over test doubles of every platform service, with its
// program folder C:\\Corvane.

#include <gtest/gtest.h>

#include "app/Version.h"
#include "doubles/FakeClock.h"
#include "doubles/FakeDrives.h"
#include "doubles/FakeEnvironment.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/FakeIniFile.h"
#include "doubles/FakeLibraries.h"
#include "doubles/FakeRegistry.h"
#include "doubles/FakeWindowServices.h"
#include "ui/frmMain.h"

const char* const kSettings = "C:\\Corvane\\settings.ini";
const char* const kLog = "C:\\Corvane\\corvane.log";

class MainFixture : public ::testing::Test {
protected:
    MainFixture() { files.addDirectory("C:\\Corvane"); }

    void settings(const std::string& text) { files.addFile(kSettings, text); }
    void start() {
        ASSERT_TRUE(main.Splash_Load());
        main.activate();
    }
    bool logHas(const std::string& line) const {
        return files.contents(kLog).find("]: " + line + "\r\n") != std::string::npos;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : windows.shownBoxes()) texts.push_back(box.text);
        return texts;
    }

    FakeFileSystem files;
    FakeIniFile ini{files};
    FakeRegistry registry;
    FakeWindowServices windows;
    FakeClock clock;
    FakeDrives drives;
    FakeEnvironment environment;
    FakeLibraries libraries;
    Services services{ini, registry, files, windows, clock, drives, environment, libraries};
    AppFlags flags;
    frmSplash splash{flags};
    frmMain main{services, flags, splash};
};

