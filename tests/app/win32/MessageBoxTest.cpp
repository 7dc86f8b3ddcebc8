// The message box service answered by another thread, as a user would.
// Threads stay out of the 32-bit suite's process: under 32-bit Wine on
// qemu-i386, an exception raised in a process once any thread of it has
// ended crashes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "app/win32/Win32WindowServices.h"

namespace {
// Answers the next message box with the given title by pressing a button.
void PressWhenShown(const wchar_t* title, int button) {
    for (int tries = 0; tries < 200; ++tries) {
        if (HWND box = FindWindowW(L"#32770", title)) {
            PostMessageW(box, WM_COMMAND, button, 0);
            return;
        }
        Sleep(25);
    }
}

TEST(Win32MessageBox, ReturnsTheButtonPressed) {
    Win32WindowServices windows;
    std::thread answer(PressWhenShown, L"Exiting Corvane", IDNO);
    EXPECT_EQ(windows.messageBox(0, "Are you sure you want to quit Corvane?", "Exiting Corvane",
                                 MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::No);
    answer.join();
    std::thread confirm(PressWhenShown, L"Exiting Corvane", IDYES);
    EXPECT_EQ(windows.messageBox(0, "Are you sure you want to quit Corvane?", "Exiting Corvane",
                                 MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::Yes);
    confirm.join();
}

}  // namespace
