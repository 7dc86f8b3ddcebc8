// The real corvane.exe with libraries in its plug-in folders that crash,
// hang, end the process, write to its output or show a box while they are
// identified.
#include "ui/win32/ProgramFixture.h"

#include <tlhelp32.h>

namespace {
class ProbeProgramTest : public ProgramFixture {
protected:
    // A library may take 3 s here instead of 10.
    ProbeProgramTest() { SetEnvironmentVariableW(L"CORVANE_PROBE_TIMEOUT_MS", L"3000"); }
    ~ProbeProgramTest() override { SetEnvironmentVariableW(L"CORVANE_PROBE_TIMEOUT_MS", nullptr); }
    // Whether the main window showed and the start-up's scans have ended
    // (it may show before the N64 scan ends), the `starts`th time.
    bool scanned(HWND main, int starts) {
        return main && WaitFor([&] { return logHas("Initial plugin enumeration complete...", starts); }, 20000);
    }
    std::string loads() { return readFile(L"PSXPlugins\\fixture-loads.txt"); }
};

// The corvane.exe processes running, the helpers included.
int RunningCorvanes() {
    const UniqueHandle snapshot = Own<UniqueHandle>(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        count += _wcsicmp(entry.szExeFile, L"corvane.exe") == 0;
    return count;
}

TEST_F(ProbeProgramTest, StartsWithMisbehavingLibrariesQuarantinesThemAndSkipsThemAtTheNextStart) {
    writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\n");
    addPlugin("gpuFixture.dll", L"PSXPlugins\\gpuFixture.dll");
    for (const char* file : {"crashType", "endlessName", "exitInMain", "abortThread", "pageEndName", "boxInMain", "chatty"})
        addPlugin(file + std::string("Fixture.dll"), L"PSXPlugins\\" + Widen(file) + L".dll");
    addPlugin("n64GfxFixture.dll", L"N64Plugins\\n64GfxFixture.dll");
    program = start();
    // Answered after the time-out has passed twice over: the clock stands
    // still while a library's box is up.
    HWND box = WaitForWindow(L"#32770", L"Fixture Box", 30000);
    ASSERT_NE(box, nullptr) << readFile(L"corvane.log");
    Sleep(6000);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = WaitForWindow(L"CorvaneForm", caption.c_str(), 90000);
    ASSERT_TRUE(scanned(main, 1)) << readFile(L"corvane.log");
    EXPECT_EQ(Rows(ListNumber(main, 0)), 3) << "the good GPU plug-ins, the boxed one too";
    EXPECT_EQ(Rows(ListNumber(main, 4)), 1) << "the good N64 graphics plug-in";
    for (const char* stopped : {"crashType.dll stopped the plug-in check (crashed)",
                                "endlessName.dll stopped the plug-in check (no answer in 3 s)",
                                "exitInMain.dll stopped the plug-in check (ended the process with code 7)",
                                "abortThread.dll stopped the plug-in check (ended the process with code 3)",
                                "pageEndName.dll stopped the plug-in check (crashed)"})
        EXPECT_TRUE(logHas(stopped + std::string("; quarantined..."))) << stopped;
    // It writes to standard output and error, and is no less a plug-in.
    EXPECT_TRUE(logHas("Found Fixture Chatty GPU (chatty.dll) of PSX type GPU"));
    ASSERT_TRUE(quit(main));
    EXPECT_EQ(RunningCorvanes(), 0) << "the helper ends with Corvane";
    const std::string loadsAtFirstStart = loads();

    main = open();
    ASSERT_TRUE(scanned(main, 2));
    EXPECT_EQ(Rows(ListNumber(main, 0)), 3);
    EXPECT_EQ(loads(), loadsAtFirstStart) << "no library loaded again, and no box again";
    // Plugins > Skipped Plugins > the first of them (abortThread.dll): checked again, it fails again.
    TypeKeys(main, {'P', 'S', VK_RETURN}, true);
    const std::string again = "abortThread.dll stopped the plug-in check (ended the process with code 3); quarantined...";
    EXPECT_TRUE(WaitFor([&] { return logHas(again, 2); }, 20000)) << readFile(L"corvane.log");
    EXPECT_EQ(loads(), loadsAtFirstStart + "Abort on a thread\n") << "only that library loaded again";
    ASSERT_TRUE(quit(main));

    // A changed file is another library, checked again; killed meanwhile,
    // Corvane takes its helper with it.
    addPlugin("spuFixture.dll", L"PSXPlugins\\crashType.dll");
    main = open();
    ASSERT_TRUE(scanned(main, 3));
    EXPECT_TRUE(logHas("Found Fixture SPU (crashType.dll) of PSX type SPU"));
    ASSERT_GE(RunningCorvanes(), 2) << "the helper runs beside it";
    TerminateProcess(program.get(), 1);
    WaitForSingleObject(program.get(), 20000);
    EXPECT_TRUE(WaitFor([] { return RunningCorvanes() == 0; }));
}
}  // namespace
