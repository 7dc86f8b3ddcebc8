// corvane-cli over the session and the doubles: the arguments, what each
// command prints and its exit code. What the commands do is tested in
// tests/session.
#include "cli/CliProgram.h"
#include "doubles/FakeRegTool.h"
#include "doubles/ServicesFixture.h"
#include "files/TestZip.h"
#include "plugins/FakePlugins.h"

namespace {
// A console with nothing to read: a question asked is answered No.
struct FakeConsole : IConsole {
    void out(const std::string& text) override { output += text; }
    void err(const std::string& text) override { errors += text; }
    std::optional<std::string> readLine() override { return std::nullopt; }
    std::string output, errors;
};

class CliProgramTest : public ServicesFixture {
protected:
    CliProgramTest() {
        files.addFile("C:\\pcsx\\pcsx.exe", "MZ");
        emulators({{"PCSX", EmuSystem::PSX, "PCSX", "C:\\pcsx\\pcsx.exe", "C:\\pcsx\\plugin"},
                   {"Spare", EmuSystem::N64, "Folder", "....", "C:\\spare"},
                   {"\xC3\x89mu", EmuSystem::PSX, "ePSXe", "C:\\ep\\epsxe.exe", "C:\\ep\\plugins"}},
                  1);
        addPlugin("C:\\pcsx\\plugin\\gpuA.dll", PsxPlugin(2, "A GPU"));
        addPlugin("C:\\pcsx\\plugin\\gpuB.dll", PsxPlugin(2, "B \"GPU\""));
        addPlugin("C:\\pcsx\\plugin\\padC.dll", PsxPlugin(8, "C pad", "PAD"));
        registry.setString("Software\\Pcsx", "gpu", "gpuA.dll");
        InstallFakeRegTool(processes, registry, files);
    }
    int run(std::vector<std::string> arguments) {
        console = FakeConsole{};
        return CliProgram(services, console, nullptr).run(arguments);
    }
    void profile(const std::string& name, const std::string& keys) {
        files.addFile("C:\\Corvane\\Configurations\\" + name + ".cfg", "Windows Registry Editor Version 5.00\r\n\r\n" +
                                                                       keys + "[Corvane]\r\nConfigName=" + name +
                                                                       "\r\nConfigSystem=6\r\n");
    }

    FakeConsole console;
};

TEST_F(CliProgramTest, UsageUnknownsAndHelp) {
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"plugins", "--colour"}, {"select", "PCSX", "gpu"}, {"select", "PCSX", "gfx", "a.dll"}})
        EXPECT_EQ(run(wrong), CliProgram::kUsage) << "a kind without its file, or not of the emulator's system";
    EXPECT_NE(console.errors.find("Usage: corvane-cli COMMAND"), std::string::npos);
    EXPECT_EQ(run({"--help"}), CliProgram::kDone);
    EXPECT_NE(console.output.find("load-profile NAME"), std::string::npos);
    EXPECT_EQ(run({"plugins", "Nobody"}), CliProgram::kFailed);
    EXPECT_EQ(console.errors, "Unknown Emulator: No emulator in Corvane's list is named or numbered 'Nobody'.\n");
    EXPECT_TRUE(windows.shownBoxes().empty()) << "never a box";
}

TEST_F(CliProgramTest, TheListingsAreOneJsonDocumentEach) {
    EXPECT_EQ(run({"emulators", "--json"}), CliProgram::kDone);
    EXPECT_NE(console.output.find("{\"number\": 3, \"name\": \"\xC3\x89mu\", \"system\": \"psx\""), std::string::npos);
    EXPECT_EQ(run({"plugins", "1", "--json"}), CliProgram::kDone);
    EXPECT_EQ(console.output,
              "{\"emulator\": {\"number\": 1, \"name\": \"PCSX\", \"system\": \"psx\", \"type\": \"PCSX\"}, "
              "\"folder\": \"C:\\\\pcsx\\\\plugin\\\\\", \"plugins\": ["
              "{\"kind\": \"gpu\", \"name\": \"A GPU\", \"version\": \"1.3\", \"released\": \"2026-12-05\", "
              "\"file\": \"gpuA.dll\", \"active\": true}, "
              "{\"kind\": \"gpu\", \"name\": \"B \\\"GPU\\\"\", \"version\": \"1.3\", \"released\": \"2026-12-05\", "
              "\"file\": \"gpuB.dll\", \"active\": false}, "
              "{\"kind\": \"pad\", \"name\": \"C pad\", \"version\": \"1.3\", \"released\": \"2026-12-05\", "
              "\"file\": \"padC.dll\", \"active\": false}], \"skipped\": []}\n");
    addPlugin("C:\\Corvane\\N64Plugins\\rsp.dll", N64Plugin(1, "RSP"));
    EXPECT_EQ(run({"plugins", "--json"}), CliProgram::kDone);
    EXPECT_EQ(console.output.rfind("{\"emulator\": null, \"folder\": \"C:\\\\Corvane\\\\\", \"plugins\": ", 0), 0u);
    EXPECT_NE(console.output.find("\"file\": \"N64Plugins\\\\rsp.dll\""), std::string::npos) << "below the folder";
    profile("Racing", "");
    EXPECT_EQ(run({"profiles", "--json"}), CliProgram::kDone);
    EXPECT_EQ(console.output, "[{\"name\": \"Racing\", \"file\": \"Racing.cfg\", \"system\": \"psx\", \"comments\": \"\"}]\n");
}

TEST_F(CliProgramTest, SelectWritesWhatApplyWritesOrNothingAtAll) {
    EXPECT_EQ(run({"select", "PCSX", "gpu", "GPUB.DLL", "pad2", "padC.dll"}), CliProgram::kDone);
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuB.dll");
    EXPECT_EQ(value("Software\\Pcsx", "pad2"), "padC.dll");
    EXPECT_EQ(run({"select", "1", "gpu", "gpuA.dll", "cdr", "gpuB.dll"}), CliProgram::kFailed);
    EXPECT_EQ(console.errors, "Plugin Not Found: gpuB.dll is no cdr plug-in in C:\\pcsx\\plugin\\.\n");
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuB.dll") << "nothing written";
    EXPECT_EQ(run({"select", "Spare", "gfx", "x.dll"}), CliProgram::kFailed);
    EXPECT_NE(console.errors.find("plug-in folder"), std::string::npos);
}

TEST_F(CliProgramTest, LaunchLoadsTheGamesProfileUnlessToldNotToAndEndsWithTheEmulatorsCode) {
    files.addFile("C:\\ep\\epsxe.exe", "MZ");
    files.addFile("D:\\Games\\Crash.bin", "image");
    profile("Crash", "[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n\"VideoPlugin\"=\"gpuCrash.dll\"\r\n");
    processes.onRun("C:\\ep\\epsxe.exe", [](const ProcessStart&) { return 7ul; });
    EXPECT_EQ(run({"launch", "\xC3\x89mu", "--no-profile", "--image", "D:\\Games\\Crash.bin"}), 7);
    EXPECT_EQ(value("Software\\epsxe\\config", "VideoPlugin"), "(missing)");
    EXPECT_EQ(run({"launch", "3", "--cd"}), 7);
    EXPECT_EQ(run({"launch", "PCSX", "--cd"}), CliProgram::kFailed) << "PCSX boots no disc";
    processes.makeMissing("C:\\pcsx\\pcsx.exe");
    EXPECT_EQ(run({"launch", "PCSX"}), CliProgram::kNotStarted);
    EXPECT_NE(console.errors.find("Emulator Not Started: "), std::string::npos);
}

TEST_F(CliProgramTest, ImportsProfilesAndUpdatesEndWithTheirCodesAndPrintWhatTheWindowWouldSay) {
    files.addFile("D:\\new\\pack.zip", BuildZip({TestEntry("spuZip.dll", "zip")}));
    EXPECT_EQ(run({"import", "PCSX", "D:\\new\\PACK.ZIP"}), CliProgram::kDone);
    EXPECT_EQ(files.contents("C:\\pcsx\\plugin\\spuZip.dll"), "zip");
    EXPECT_EQ(run({"import", "PCSX", "D:\\new\\gone.dll"}), CliProgram::kFailed);

    profile("Shared", "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\"ceoEvil\"=\"e.exe\"\r\n"
                      "[HKEY_CURRENT_USER\\Software\\Pcsx]\r\n\"gpu\"=\"gpuShared.dll\"\r\n");
    EXPECT_EQ(run({"load-profile", "Shared"}), CliProgram::kDone) << "the rest is loaded";
    EXPECT_EQ(value("Software\\Pcsx", "gpu"), "gpuShared.dll");
    EXPECT_EQ(console.errors.rfind("Profile Entries Not Loaded: These entries", 0), 0u) << console.errors;

    EXPECT_EQ(run({"updates"}), CliProgram::kFailed);
    EXPECT_NE(console.errors.find("No Update Service: No plugin update service is set."), std::string::npos);
    serviceAt("http://127.0.0.1:8381/");
    downloads.serve("http://127.0.0.1:8381/zip.php?id=1", "gpuA.dll\tA GPU\t2.0\t2030-01-01\thttp://h/a.zip\r\n");
    downloads.serve("http://127.0.0.1:8381/zip.php?id=3", "");
    downloads.serve("http://h/a.zip", BuildZip({TestEntry("gpuA.dll", "updated")}));
    EXPECT_EQ(run({"updates", "--json"}), CliProgram::kDone);
    EXPECT_NE(console.output.find("\"installedFile\": \"gpuA.dll\", \"name\": \"A GPU\", \"version\": \"2\""),
              std::string::npos) << console.output;
    EXPECT_EQ(files.contents("C:\\pcsx\\plugin\\gpuA.dll"), "MZ") << "listed, not installed";
    EXPECT_EQ(run({"updates", "--install", "--yes"}), CliProgram::kDone);
    EXPECT_EQ(files.contents("C:\\pcsx\\plugin\\gpuA.dll"), "updated") << "without a question";
}

TEST_F(CliProgramTest, BesideTheWindowTheStoreIsLeftToTheWindow) {
    environment.otherInstance = true;
    EXPECT_EQ(run({"plugins", "PCSX"}), CliProgram::kDone);
    EXPECT_NE(console.output.find("B \"GPU\""), std::string::npos);
    EXPECT_FALSE(files.exists("C:\\Corvane\\plugincheck.dat") || files.exists("C:\\Corvane\\plugincheck.journal"));
    environment.otherInstance = false;
    run({"plugins", "PCSX"});
    EXPECT_TRUE(files.exists("C:\\Corvane\\plugincheck.dat"));
}
}  // namespace
