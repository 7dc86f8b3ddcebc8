#pragma once

#include "app/NotifyIcon.h"

// The shell's notification area through Shell_NotifyIconW, with the
// program's own icon (the system's application icon for a program without
// one).
class Win32NotifyIcon : public INotifyIcon {
public:
    bool add(const NotifyIconRecord& record) override;
    bool setVersion(const NotifyIconRecord& record, unsigned version) override;
    bool modify(const NotifyIconRecord& record) override;
    bool remove(const NotifyIconRecord& record) override;
};
