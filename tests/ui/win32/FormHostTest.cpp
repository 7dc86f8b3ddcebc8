// The Win32 form host under real windows: what reaches the system from a
// form's handlers, and the order in which a modal window lets go.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Form.h"
#include "ui/win32/Win32FormHost.h"

namespace {
class Dialog : public Form {
public:
    Button cmdFail;
    Timer tmrClose;
};

TEST(Win32FormHost, AHandlersExceptionIsReportedAndAModalWindowEnablesItsOwnerBeforeItGoes) {
    Dialog ownerForm;
    ownerForm.cmdFail.onClick = [] { throw std::runtime_error("broken handler"); };
    Win32FormHost owner(ownerForm, WS_OVERLAPPEDWINDOW, 0);
    std::string reported;
    Win32FormHost::onUnhandledError = [&](const std::string& what) { reported = what; };
    SendMessageW(owner.add(ownerForm.cmdFail).window(), BM_CLICK, 0, 0);
    Win32FormHost::onUnhandledError = nullptr;
    EXPECT_EQ(reported, "broken handler");
    ASSERT_TRUE(IsWindow(owner.window())) << "the window lives on";

    Dialog dialog;
    Win32FormHost host(dialog, WS_POPUP | WS_CAPTION, 0, owner.window());
    host.addTimer(dialog.tmrClose);
    dialog.tmrClose.setInterval(50);
    dialog.tmrClose.onTimer = [&] { dialog.unload(); };
    bool ownerEnabledAtDestroy = false;
    host.onDestroyed = [&] { ownerEnabledAtDestroy = IsWindowEnabled(owner.window()) != FALSE; };
    host.runModal();
    EXPECT_TRUE(ownerEnabledAtDestroy) << "otherwise the system activates another program's window";
}
}  // namespace
