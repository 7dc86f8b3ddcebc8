#pragma once

#include <string>

#include "app/WindowHandle.h"

// The icon a balloon tip shows beside its title.
enum class BalloonIcon { None = 0, Info = 1, Warning = 2, Error = 3 };

// What the notification area is told about the program's one icon. Texts
// are UTF-8 and already cut to what the system's record holds.
struct NotifyIconRecord {
    WindowHandle window = 0;      // the window the icon's messages go to
    unsigned callbackMessage = 0;
    std::string tip;
    // Set only to show a balloon.
    std::string balloonText, balloonTitle;
    BalloonIcon balloonIcon = BalloonIcon::None;
    unsigned balloonTimeoutMs = 0;
};

// The notification area ("system tray") of the shell: the program's icon in
// it, with its tip and balloons. Each call reports whether the shell took it.
class INotifyIcon {
public:
    virtual ~INotifyIcon() = default;

    virtual bool add(const NotifyIconRecord& record) = 0;
    // Asks for the icon behaviour of this version (3: balloons, keyboard
    // selection) for an icon added before.
    virtual bool setVersion(const NotifyIconRecord& record, unsigned version) = 0;
    // Shows the record's balloon (or changes its tip).
    virtual bool modify(const NotifyIconRecord& record) = 0;
    virtual bool remove(const NotifyIconRecord& record) = 0;
};
