#pragma once

// A main window over test doubles of every platform service.

#include "app/Version.h"
#include "doubles/ServicesFixture.h"
#include "ui/frmMain.h"

class MainFixture : public ServicesFixture {
protected:
    void start() {
        ASSERT_TRUE(main.Splash_Load());
        main.activate();
    }
    static std::vector<std::string> texts(const ListView& list) {
        std::vector<std::string> result;
        for (const auto& row : list.rows()) result.push_back(row.text);
        return result;
    }
    std::vector<std::string> names(int list) const { return texts(main.lstPluginList[list]); }
    // The titles of the message boxes shown, in order.
    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const auto& box : windows.shownBoxes()) result.push_back(box.title);
        return result;
    }
    std::string lastTitle() const { return windows.shownBoxes().empty() ? "" : windows.shownBoxes().back().title; }

    frmSplash splash{flags};
    frmMain main{services, flags, splash};
};
