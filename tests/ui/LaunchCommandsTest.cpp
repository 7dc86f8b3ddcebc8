#include "doubles/FakeRegTool.h"
#include "ui/MainFixture.h"

namespace {
const char* const kEpsxe = "C:\\Emu Dir\\epsxe.exe";

class LaunchCommandsTest : public MainFixture {
protected:
    // One emulator of the type, selected at start-up.
    void emulator(const std::string& type, int system, const std::string& extra = "") {
        files.addFile(kEpsxe, "MZ");
        settings("[Configuration]\r\nLogging=-1\r\nExit=0\r\nLastEmu=1\r\n" + extra +
                 "[Emulators]\r\nName1=Emu\r\nSystem1=" + std::to_string(system) + "\r\nType1=" + type +
                 "\r\nExe1=" + kEpsxe + "\r\nPlugins1=C:\\Emu Dir\\plugins\r\n");
    }
    std::vector<std::string> commandLines() const {
        std::vector<std::string> lines;
        for (const auto& start : processes.started()) lines.push_back(start.commandLine);
        return lines;
    }
    void profile(const std::string& key, const std::string& gpu) {
        files.addFile("C:\\Corvane\\Configurations\\" + key + ".cfg",
                      std::string(kUtf16Mark) +
                          Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\epsxe\\"
                                      "config]\r\n\"VideoPlugin\"=\"" + gpu + "\"\r\n[Corvane]\r\nConfigName=P\r\n"));
    }
    std::string videoPlugin() {
        const auto value = registry.queryValue("Software\\epsxe\\config", "VideoPlugin");
        return value ? value->text : "(missing)";
    }
};

TEST_F(LaunchCommandsTest, APlainLaunchWaitsWithTheWindowMinimizedAndQuittingRefused) {
    emulator("ePSXe", 6);
    start();
    EXPECT_TRUE(main.cmdLaunchEmu.enabled());
    EXPECT_EQ(main.cmdLaunchEmu.caption(), "Launch the Selected Emulator");
    bool sawRunning = false;
    processes.onRun(kEpsxe, [&](const ProcessStart& start) {
        sawRunning = flags.blExternalAppRunning && !main.cmdLaunchEmu.enabled() && !main.mnuFileLaunchCDRom.enabled() &&
                     !main.tmrTimer.enabled() && main.windowState() == WindowState::Minimized;
        EXPECT_FALSE(main.requestClose()) << "no quitting while the emulator runs";
        EXPECT_EQ(start.workingFolder, "C:\\Emu Dir\\");
        return 259ul;  // the code that once meant "still running"
    });
    main.cmdLaunchEmu.click();
    EXPECT_TRUE(sawRunning);
    EXPECT_EQ(windows.shownBoxes().back().title, "Spawned Application Still Running");
    EXPECT_EQ(commandLines(), std::vector<std::string>{"\"C:\\Emu Dir\\epsxe.exe\""});
    EXPECT_EQ(processes.started()[0].application, kEpsxe);
    EXPECT_FALSE(flags.blExternalAppRunning) << "an exit code of 259 ends the wait like any other";
    EXPECT_TRUE(main.cmdLaunchEmu.enabled());
    EXPECT_TRUE(main.tmrTimer.enabled());
    EXPECT_EQ(main.windowState(), WindowState::Normal);
    EXPECT_TRUE(logHas("Changing working directory to C:\\Emu Dir\\"));
    EXPECT_TRUE(logHas("Executing \"C:\\Emu Dir\\epsxe.exe\" in PID:100"));
    EXPECT_TRUE(logHas("External thread execution has ended; returning control to application..."));
    EXPECT_EQ(files.currentDirectory(), "C:\\Emu Dir\\");
}

TEST_F(LaunchCommandsTest, AProgramStartedDuringAnotherDoesNotEndTheOthersState) {
    emulator("ePSXe", 6);
    start();
    bool stillRunning = false;
    processes.onRun(kEpsxe, [&](const ProcessStart&) {
        main.RunShell(ProcessStart{"C:\\tool.exe", "tool", "", true});
        stillRunning = flags.blExternalAppRunning && !main.cmdLaunchEmu.enabled();
        return 0ul;
    });
    main.cmdLaunchEmu.click();
    EXPECT_TRUE(stillRunning);
    EXPECT_FALSE(flags.blExternalAppRunning);
}

TEST_F(LaunchCommandsTest, AnEmulatorThatDoesNotStartIsNamed) {
    emulator("PCSX", 6);
    processes.makeMissing(kEpsxe);
    start();
    EXPECT_FALSE(main.mnuFileLaunchCDRom.enabled()) << "PCSX launches alone";
    main.mnuFileLaunchEmu.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Emulator Not Started");
    EXPECT_NE(windows.shownBoxes().back().text.find(kEpsxe), std::string::npos);
    EXPECT_FALSE(flags.blExternalAppRunning);
    EXPECT_EQ(main.windowState(), WindowState::Normal);
}

TEST_F(LaunchCommandsTest, ACdLaunchImportsTheDiscsProfileFirst) {
    drives.add("Q:\\", DriveType::CdRom);
    files.addFile("Q:\\SYSTEM.CNF", "BOOT = cdrom:\\SLUS_004.26;1\r\n");
    emulator("ePSXe", 6);
    profile("SLUS_004.26", "gpuRacing.dll");
    InstallFakeRegTool(processes, registry, files);
    std::string videoAtStart;
    processes.onRun(kEpsxe, [&](const ProcessStart&) {
        videoAtStart = videoPlugin();
        return 0ul;
    });
    start();
    main.mnuFileLaunchCDRom.click();
    EXPECT_EQ(videoAtStart, "gpuRacing.dll");
    ASSERT_EQ(commandLines().size(), 2u);
    EXPECT_EQ(commandLines()[0], "\"C:\\windows\\system32\\reg.exe\" import \"C:\\TEMP\\regimport.tmp\"");
    EXPECT_TRUE(processes.started()[0].hidden);
    EXPECT_EQ(commandLines()[1], "\"C:\\Emu Dir\\epsxe.exe\" -nogui");
    EXPECT_TRUE(logHas("Configuration Profile Detected for GameID: SLUS_004.26; Loading..."));
}

TEST_F(LaunchCommandsTest, NoAutoLoadWithTheSwitchOrWithoutAPlainKey) {
    drives.add("Q:\\", DriveType::CdRom);
    files.addFile("Q:\\SYSTEM.CNF", "BOOT = cdrom:\\PSX.EXE;1\r\n");
    files.addFile("C:\\Corvane\\Configurations\\om");
    emulator("ePSXe", 6);
    InstallFakeRegTool(processes, registry, files);
    start();
    main.mnuFileLaunchCDRom.click();
    EXPECT_EQ(commandLines(), std::vector<std::string>{"\"C:\\Emu Dir\\epsxe.exe\" -nogui"})
        << "the game ID om:\\PSX.EXE names no profile";

    profile("Crash", "gpuCrash.dll");
    environment.arguments = "-noconfigautoload";
    flags.blNoConfigAutoLoad = true;
    windows.queueFile(std::string("C:\\Games\\Crash.bin"));
    main.mnuFileLaunchISOROM.click();
    EXPECT_EQ(videoPlugin(), "(missing)");
}

TEST_F(LaunchCommandsTest, AnImageLaunchLoadsTheFilesProfileAndPassesAShortPath) {
    emulator("ePSXe", 6);
    profile("Crash Bandicoot", "gpuCrash.dll");
    files.addFile("C:\\My Games\\Crash Bandicoot.bin");
    files.setShortPath("C:\\My Games\\Crash Bandicoot.bin", "C:\\MYGAME~1\\CRASHB~1.BIN");
    InstallFakeRegTool(processes, registry, files);
    start();
    windows.queueFile(std::nullopt);
    main.mnuFileLaunchISOROM.click();
    EXPECT_TRUE(processes.started().empty()) << "cancelled";
    EXPECT_EQ(windows.fileDialogTitles().back(), "Select the file you want to launch:");

    windows.queueFile(std::string("C:\\My Games\\Crash Bandicoot.bin"));
    main.mnuFileLaunchISOROM.click();
    EXPECT_EQ(videoPlugin(), "gpuCrash.dll");
    EXPECT_TRUE(logHas("Configuration Profile Detected for file: C:\\My Games\\Crash Bandicoot.bin; Loading..."));
    const std::string line = commandLines().back();
    EXPECT_EQ(line.rfind("\"C:\\Emu Dir\\epsxe.exe\" -nogui -loadbin ", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.find("-loadbin ") + 9), "C:\\MYGAME~1\\CRASHB~1.BIN");
}

TEST_F(LaunchCommandsTest, AFailedImportIsShownAndTheGameStillStarts) {
    emulator("ePSXe", 6);
    profile("Crash", "gpuCrash.dll");
    processes.onRun(processes.systemFolder() + "reg.exe", [](const ProcessStart&) { return 1ul; });
    start();
    windows.queueFile(std::string("C:\\Games\\Crash.bin"));
    main.mnuFileLaunchISOROM.click();
    EXPECT_EQ(windows.shownBoxes().back().title, "Could Not Load Configuration");
    EXPECT_EQ(commandLines().size(), 2u) << "the import, then the emulator";
}

TEST_F(LaunchCommandsTest, LaunchOptionsFollowTheSelector) {
    emulator("1964", 7);
    start();
    EXPECT_TRUE(main.mnuFileLaunchISOROM.enabled());
    EXPECT_FALSE(main.mnuFileLaunchCDRom.enabled()) << "no CD launch for N64";
    main.cmbEmuSelect.choose(0);
    EXPECT_FALSE(main.cmdLaunchEmu.enabled());
    EXPECT_FALSE(main.mnuFileLaunchISOROM.enabled());
    EXPECT_TRUE(logHas("Altering launch options..."));
}
}  // namespace
