// The real corvane-cli.exe in a program folder with fixture plug-ins and a
// fake emulator: what a script or a game front-end gets from it.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/win32/ProgramFixture.h"

namespace {
struct Outcome {
    DWORD code = 0;
    std::string output, errors;
};

class CliWineTest : public ProgramFixture {
protected:
    CliWineTest() {
        CopyFileW(Widen(WindowsPath(CORVANE_CLI)).c_str(), (folder + L"corvane-cli.exe").c_str(), FALSE);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\epsxe\\config", L"Probe");
    }
    ~CliWineTest() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Pcsx");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\epsxe\\config", L"Probe");
    }
    // Runs the program with its output and errors into files, as a script's
    // redirection would, and waits for its end.
    Outcome cli(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        // Files of its own for each run: a probe helper of the run before
        // may still hold the last ones for a moment.
        const std::wstring run = std::to_wstring(++runs_);
        const std::wstring out = folder + L"out" + run + L".txt", err = folder + L"err" + run + L".txt";
        const UniqueHandle output(CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
        const UniqueHandle errors(CreateFileW(err.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = errors.get();
        std::wstring commandLine = L"\"" + folder + L"corvane-cli.exe\" " + arguments;
        PROCESS_INFORMATION process{};
        Outcome outcome;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            folder.c_str(), &startup, &process))
            return outcome;
        CloseHandle(process.hThread);
        const UniqueHandle program(process.hProcess);
        WaitForSingleObject(program.get(), 60000);
        GetExitCodeProcess(program.get(), &outcome.code);
        outcome.output = readFile((L"out" + run + L".txt").c_str());
        outcome.errors = readFile((L"err" + run + L".txt").c_str());
        return outcome;
    }

private:
    int runs_ = 0;
};

// A fake emulator of this name in a folder of its own, ending with `code`.
std::wstring Emulator(const std::wstring& folder, const wchar_t* name, const char* code) {
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW(Widen(WindowsPath(CORVANE_FIXTURES) + "\\fakeEmulator.exe").c_str(), (folder + name).c_str(), FALSE);
    Win32FileSystem().appendToFile(Narrow(folder) + "exit-code.txt", code);
    return folder + name;
}

TEST_F(CliWineTest, AFrontEndListsSelectsAndLaunchesThroughIt) {
    const std::wstring pcsx = Emulator(folder + L"\u00C9mu\\", L"pcsx.exe", "42");
    const std::wstring epsxe = Emulator(folder + L"ep\\", L"epsxe.exe", "5");
    addPlugin("gpuFixture.dll", L"plugin\\gpuFixture.dll");
    addPlugin("longNameFixture.dll", L"plugin\\longNameFixture.dll");
    files.appendToFile(Narrow(folder) + "settings.ini",
                       kUtf16Mark + Utf8ToUtf16("[Configuration]\r\nLogging=-1\r\n[Emulators]\r\nName1=PCSX \u00C9\r\n"
                                                "System1=6\r\nType1=PCSX\r\nExe1=" + Narrow(pcsx) + "\r\nPlugins1=" +
                                                Narrow(folder) + "plugin\r\nName2=ePSXe\r\nSystem2=6\r\nType2=ePSXe\r\n"
                                                "Exe2=" + Narrow(epsxe) + "\r\nPlugins2=" + Narrow(folder) + "ep\r\n"));

    Outcome listed = cli(L"plugins \"PCSX \u00C9\" --json");
    EXPECT_EQ(listed.code, 0u) << listed.errors;
    EXPECT_EQ(listed.output.rfind("{\"emulator\": {\"number\": 1, \"name\": \"PCSX \xC3\x89\"", 0), 0u) << listed.output;
    EXPECT_NE(listed.output.find("{\"kind\": \"gpu\", \"name\": \"Fixture GPU\", \"version\": \"1.5\""),
              std::string::npos)
        << listed.output;

    const Outcome selected = cli(L"select 1 gpu longNameFixture.dll");
    EXPECT_EQ(selected.code, 0u) << selected.errors;
    wchar_t gpu[64] = L"";
    DWORD size = sizeof gpu;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pcsx", L"gpu", RRF_RT_REG_SZ, nullptr, gpu, &size);
    EXPECT_EQ(std::wstring(gpu), L"longNameFixture.dll");

    // A front-end starts a game: its profile first, then the emulator, whose
    // exit code comes back.
    CreateDirectoryW((folder + L"Configurations").c_str(), nullptr);
    files.appendToFile(Narrow(folder) + "Configurations\\Crash.cfg",
                       kUtf16Mark + Utf8ToUtf16("Windows Registry Editor Version 5.00\r\n\r\n"
                                                "[HKEY_CURRENT_USER\\Software\\epsxe\\config]\r\n"
                                                "\"Probe\"=\"image profile\"\r\n\r\n[Corvane]\r\nConfigName=x\r\n"));
    files.appendToFile(Narrow(folder) + "Crash.bin", "image");
    EXPECT_EQ(cli(L"launch 1").code, 42u);
    EXPECT_NE(readFile(L"\u00C9mu\\fake-emulator-run.txt").find("argc=1"), std::string::npos);
    EXPECT_EQ(cli(L"launch 1 --image \"" + folder + L"Crash.bin\"").code, 1u) << "PCSX takes no image";
    const Outcome launched = cli(L"launch ePSXe --image \"" + folder + L"Crash.bin\"");
    EXPECT_EQ(launched.code, 5u) << launched.errors;
    const std::string record = readFile(L"ep\\fake-emulator-run.txt");
    EXPECT_NE(record.find("registry=image profile"), std::string::npos) << record;
    EXPECT_NE(record.find("argv2=-loadbin"), std::string::npos) << record;

    const Outcome unknown = cli(L"launch Nobody");
    EXPECT_EQ(unknown.code, 1u);
    EXPECT_EQ(unknown.errors, "Unknown Emulator: No emulator in Corvane's list is named or numbered 'Nobody'.\n");
    const Outcome missing = cli(L"import 1 \"" + folder + L"gone.dll\"");
    EXPECT_EQ(missing.code, 1u);
    EXPECT_NE(missing.errors.find("gone.dll"), std::string::npos) << missing.errors;
    EXPECT_EQ(cli(L"bogus").code, 2u);
    EXPECT_NE(readFile(L"corvane.log").find("]: Configuring PCSX plugin selections...\r\n"), std::string::npos);
}
}  // namespace
