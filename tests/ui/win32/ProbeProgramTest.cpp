// The real corvane.exe with libraries in its plug-in folders that crash,
// hang, end the process or show a box while they are identified.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>

#include "ui/win32/ProgramFixture.h"

namespace {
class ProbeProgramTest : public ProgramFixture {
protected:
    ProbeProgramTest() {
        // A library may take 3 s here instead of 10.
        SetEnvironmentVariableW(L"CORVANE_PROBE_TIMEOUT_MS", L"3000");
        writeSettings("[Configuration]\r\nSplash=1\r\nExit=0\r\nLogging=-1\r\n");
    }
    ~ProbeProgramTest() override { SetEnvironmentVariableW(L"CORVANE_PROBE_TIMEOUT_MS", nullptr); }

    // Starts the program; see ready().
    bool startProgram(UniqueHandle& program, HWND& main) {
        const std::size_t logged = readFile(L"corvane.log").size();
        program = start();
        return program && ready(main, logged);
    }
    // Waits for the main window and for the end of the start-up's scans
    // (the window may show before the N64 scan ends); false when they do
    // not come. `logged`: the log's size before the start.
    bool ready(HWND& main, std::size_t logged) {
        main = WaitForWindow(L"CorvaneForm", caption.c_str(), 90000);
        const std::string done = "]: Initial plugin enumeration complete...";
        for (int waited = 0; main && waited < 20000; waited += 50) {
            if (readFile(L"corvane.log").find(done, logged) != std::string::npos) return true;
            Sleep(50);
        }
        return false;
    }
    void quit(const UniqueHandle& program, HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(WaitForSingleObject(program.get(), 20000), WAIT_OBJECT_0);
    }
    bool logHas(const std::string& line, int times = 1) {
        const std::string log = readFile(L"corvane.log");
        int found = 0;
        for (auto at = log.find("]: " + line + "\r\n"); at != std::string::npos; at = log.find("]: " + line + "\r\n", at + 1))
            ++found;
        return found >= times;
    }
    LRESULT rows(HWND main, int list) {
        HWND found = nullptr;
        for (int i = 0; i <= list; ++i) found = FindWindowExW(main, found, L"SysListView32", nullptr);
        return SendMessageW(found, LVM_GETITEMCOUNT, 0, 0);
    }
    // Answers the fixture's box after the time-out has passed twice over:
    // the clock stands still while it is up.
    bool answerFixtureBox() {
        HWND box = WaitForWindow(L"#32770", L"Fixture Box", 30000);
        if (!box) return false;
        Sleep(6000);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }
    std::string loads() { return readFile(L"PSXPlugins\\fixture-loads.txt"); }
};

struct TextSearch {
    std::wstring text;
    bool found = false;
};

BOOL CALLBACK FindText(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TextSearch*>(data);
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    search->found = search->text == text;
    return !search->found;
}

// True when a window inside the main window shows the text.
bool Shows(HWND main, const std::string& text) {
    TextSearch search{Widen(text)};
    EnumChildWindows(main, FindText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The corvane.exe processes running, the helpers included.
int RunningCorvanes() {
    const UniqueHandle snapshot = Own<UniqueHandle>(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, L"corvane.exe") == 0) ++count;
    return count;
}

TEST_F(ProbeProgramTest, StartsWithMisbehavingLibrariesQuarantinesThemAndSkipsThemAtTheNextStart) {
    addPlugin("gpuFixture.dll", L"PSXPlugins\\gpuFixture.dll");
    addPlugin("crashTypeFixture.dll", L"PSXPlugins\\crashType.dll");
    addPlugin("endlessNameFixture.dll", L"PSXPlugins\\endlessName.dll");
    addPlugin("exitInMainFixture.dll", L"PSXPlugins\\exitInMain.dll");
    addPlugin("abortThreadFixture.dll", L"PSXPlugins\\abortThread.dll");
    addPlugin("pageEndNameFixture.dll", L"PSXPlugins\\pageEndName.dll");
    // It writes to standard output and error, and is no less a plug-in.
    addPlugin("chattyFixture.dll", L"PSXPlugins\\chatty.dll");
    addPlugin("n64GfxFixture.dll", L"N64Plugins\\n64GfxFixture.dll");
    UniqueHandle program;
    HWND main = nullptr;
    ASSERT_TRUE(startProgram(program, main)) << readFile(L"corvane.log");
    EXPECT_EQ(rows(main, 0), 2) << "the good GPU plug-ins";
    EXPECT_EQ(rows(main, 4), 1) << "the good N64 graphics plug-in";
    EXPECT_TRUE(logHas("crashType.dll stopped the plug-in check (crashed); quarantined..."));
    EXPECT_TRUE(logHas("endlessName.dll stopped the plug-in check (no answer in 3 s); quarantined..."));
    EXPECT_TRUE(logHas("exitInMain.dll stopped the plug-in check (ended the process with code 7); quarantined..."));
    EXPECT_TRUE(logHas("abortThread.dll stopped the plug-in check (ended the process with code 3); quarantined..."));
    EXPECT_TRUE(logHas("pageEndName.dll stopped the plug-in check (crashed); quarantined..."));
    EXPECT_TRUE(logHas("Found Fixture GPU (gpuFixture.dll) of PSX type GPU"));
    EXPECT_TRUE(logHas("Found Fixture Chatty GPU (chatty.dll) of PSX type GPU"));
    EXPECT_TRUE(Shows(main, "5 plugins were skipped: they stopped the plugin check (Plugins > Skipped Plugins)"));
    quit(program, main);
    EXPECT_EQ(RunningCorvanes(), 0) << "the helper ends with Corvane";
    const std::string loadsAtFirstStart = loads();

    ASSERT_TRUE(startProgram(program, main));
    EXPECT_EQ(rows(main, 0), 2);
    const std::string log = readFile(L"corvane.log");
    for (const char* file : {"crashType", "endlessName", "exitInMain", "abortThread", "pageEndName"})
        EXPECT_NE(log.find(std::string(file) + ".dll is quarantined ("), std::string::npos) << file << "\n" << log;
    EXPECT_TRUE(logHas("Found Fixture GPU (gpuFixture.dll) of PSX type GPU", 2));
    EXPECT_EQ(loads(), loadsAtFirstStart) << "no library loaded again";
    // Plugins > Skipped Plugins > the first of them (abortThread.dll): checked again, it fails again.
    TypeKeys(main, {'P', 'S', VK_RETURN}, true);
    const std::string again = "abortThread.dll stopped the plug-in check (ended the process with code 3); quarantined...";
    for (int waited = 0; !logHas(again, 2) && waited < 20000; waited += 100) Sleep(100);
    EXPECT_TRUE(logHas(again, 2)) << readFile(L"corvane.log");
    const std::string loadsAfterRetry = loads();
    EXPECT_EQ(std::count(loadsAfterRetry.begin(), loadsAfterRetry.end(), '\n'), 7) << "only that library loaded again";
    quit(program, main);

    // A changed file is another library: it is checked again.
    addPlugin("spuFixture.dll", L"PSXPlugins\\crashType.dll");
    ASSERT_TRUE(startProgram(program, main));
    EXPECT_EQ(rows(main, 1), 1) << "the new file's SPU plug-in";
    EXPECT_TRUE(logHas("Found Fixture SPU (crashType.dll) of PSX type SPU"));
    // Killed, Corvane takes its helper with it.
    TerminateProcess(program.get(), 1);
    WaitForSingleObject(program.get(), 20000);
    for (int waited = 0; RunningCorvanes() > 0 && waited < 10000; waited += 100) Sleep(100);
    EXPECT_EQ(RunningCorvanes(), 0);
}

TEST_F(ProbeProgramTest, ABoxInStartUpCodeIsShownOnceAndTheClockStandsStillWhileItIsUp) {
    addPlugin("boxInMainFixture.dll", L"PSXPlugins\\boxInMain.dll");
    HWND main = nullptr;
    UniqueHandle program = start();
    ASSERT_TRUE(answerFixtureBox()) << readFile(L"corvane.log");
    ASSERT_TRUE(ready(main, 0));
    EXPECT_EQ(rows(main, 0), 1) << "waiting for the user is no hang";
    EXPECT_TRUE(logHas("Found Fixture Boxed GPU (boxInMain.dll) of PSX type GPU"));
    quit(program, main);
    EXPECT_EQ(loads(), "Fixture Boxed GPU\n");
}
}  // namespace
