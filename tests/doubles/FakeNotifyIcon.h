#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/NotifyIcon.h"

// A notification area that keeps one icon per window, like the shell's,
// and notes every call; it can be without a shell (every call fails) or
// lose its icons as a restarted shell does.
class FakeNotifyIcon : public INotifyIcon {
public:
    bool shellRunning = true;
    // Every call as "add", "version 3", "modify" or "remove", taken or not.
    std::vector<std::string> calls;
    // The record of the last call.
    NotifyIconRecord last;

    bool shown(WindowHandle window) const { return icons_.count(window) > 0; }
    // The shell ended and started again: every icon is gone.
    void restartShell() { icons_.clear(); }

    bool add(const NotifyIconRecord& record) override;
    bool setVersion(const NotifyIconRecord& record, unsigned version) override;
    bool modify(const NotifyIconRecord& record) override;
    bool remove(const NotifyIconRecord& record) override;

private:
    bool note(const std::string& call, const NotifyIconRecord& record);
    std::set<WindowHandle> icons_;
};
