// The real corvane-cli.exe in a program folder with fixture plug-ins and a
// fake emulator: what a script or a game front-end gets from it.
#include "ui/win32/ProgramFixture.h"

namespace {
struct Outcome {
    DWORD code = 0;
    std::string output, errors;
};

class CliWineTest : public ProgramFixture {
protected:
    CliWineTest() { CopyFileW(Widen(WindowsPath(CORVANE_CLI)).c_str(), (folder + L"corvane-cli.exe").c_str(), FALSE); }
    // Runs the program with its output and errors into files, as a script's
    // redirection would, and waits for its end.
    Outcome cli(const std::wstring& arguments) {
        // Files of its own for each run: a probe helper of the run before
        // may still hold the last ones for a moment.
        const std::wstring out = L"out" + std::to_wstring(++runs_), err = L"err" + std::to_wstring(runs_);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const auto create = [&](const std::wstring& name) {
            return UniqueHandle(CreateFileW((folder + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                            CREATE_ALWAYS, 0, nullptr));
        };
        const UniqueHandle output = create(out), errors = create(err);
        STARTUPINFOW startup{};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = errors.get();
        const UniqueHandle ended = start(L"corvane-cli.exe", arguments, &startup);
        DWORD code = 0;
        if (ended && WaitForSingleObject(ended.get(), 60000) == WAIT_OBJECT_0) GetExitCodeProcess(ended.get(), &code);
        return {code, readFile(out), readFile(err)};
    }
private:
    int runs_ = 0;
};

TEST_F(CliWineTest, AFrontEndListsAndLaunchesThroughItWithTheGamesProfile) {
    addPlugin("gpuFixture.dll", L"plugin\\gpuFixture.dll");
    addPlugin("fakeEmulator.exe", L"\u00C9mu\\epsxe.exe");
    files.appendToFile(Narrow(folder) + "\u00C9mu\\exit-code.txt", "5");
    writeSettings("[Configuration]\r\nLogging=-1\r\n[Emulators]\r\nName1=ePSXe \u00C9\r\nSystem1=6\r\nType1=ePSXe\r\n"
                  "Exe1=" + Narrow(folder) + "\u00C9mu\\epsxe.exe\r\nPlugins1=" + Narrow(folder) + "plugin\r\n");
    const Outcome listed = cli(L"plugins \"ePSXe \u00C9\" --json");
    EXPECT_EQ(listed.code, 0u) << listed.errors;
    EXPECT_EQ(listed.output.rfind("{\"emulator\": {\"number\": 1, \"name\": \"ePSXe \xC3\x89\"", 0), 0u) << listed.output;
    EXPECT_NE(listed.output.find("{\"kind\": \"gpu\", \"name\": \"Fixture GPU\", \"version\": \"1.5\""),
              std::string::npos)
        << listed.output;

    // A front-end starts a game: its profile first, then the emulator, whose
    // exit code comes back. The image's folder has a blank: its short form.
    writeText(L"Configurations\\Crash.cfg", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\"
                                           "Software\\epsxe\\config]\r\n\"Probe\"=\"image profile\"\r\n\r\n"
                                           "[Corvane]\r\nConfigName=x\r\n");
    CreateDirectoryW((folder + L"My Games").c_str(), nullptr);
    files.appendToFile(Narrow(folder) + "My Games\\Crash.bin", "image");
    const Outcome launched = cli(L"launch 1 --image \"" + folder + L"My Games\\Crash.bin\"");
    EXPECT_EQ(launched.code, 5u) << launched.errors;
    const std::string record = readFile(L"\u00C9mu\\fake-emulator-run.txt");
    EXPECT_NE(record.find("registry=image profile"), std::string::npos) << record;
    const std::string image = files.shortPath(Narrow(folder) + "My Games\\Crash.bin");
    EXPECT_EQ(image.find(' '), std::string::npos) << image;
    EXPECT_NE(record.find("argv2=-loadbin\r\nargv3=" + image + "\r\n"), std::string::npos) << record;

    const Outcome unknown = cli(L"launch Nobody");
    EXPECT_EQ(unknown.code, 1u);
    EXPECT_EQ(unknown.errors, "Unknown Emulator: No emulator in Corvane's list is named or numbered 'Nobody'.\n");
}
}  // namespace
