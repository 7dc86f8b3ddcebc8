#pragma once

// What every notification area must do with the program's icon: the double
// runs it natively, the shell's under Wine (in the 32-bit suite too, where
// the record has another size).
#include <gtest/gtest.h>

#include "app/NotifyIcon.h"

inline void CheckNotifyIconContract(INotifyIcon& tray, WindowHandle window) {
    NotifyIconRecord record;
    record.window = window;
    record.callbackMessage = 512;
    record.tip = "Orvisk's Corvane \xC3\xA9\xE6\x9D\xB1";
    EXPECT_FALSE(tray.modify(record)) << "no icon yet";
    ASSERT_TRUE(tray.add(record));
    EXPECT_TRUE(tray.setVersion(record, 3));
    NotifyIconRecord balloon = record;
    balloon.balloonText = std::string(300, 'm');  // longer than the record holds
    balloon.balloonTitle = "New Updates are Available";
    balloon.balloonIcon = BalloonIcon::Info;
    balloon.balloonTimeoutMs = 10000;
    EXPECT_TRUE(tray.modify(balloon));
    EXPECT_TRUE(tray.remove(record));
    EXPECT_FALSE(tray.remove(record)) << "gone already";
    EXPECT_FALSE(tray.modify(record));
    EXPECT_TRUE(tray.add(record)) << "added again";
    EXPECT_TRUE(tray.remove(record));
}
