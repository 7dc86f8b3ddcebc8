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
    std::vector<std::string> names(int list) const {
        std::vector<std::string> result;
        for (const auto& row : main.lstPluginList[list].rows()) result.push_back(row.text);
        return result;
    }
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : windows.shownBoxes()) texts.push_back(box.text);
        return texts;
    }

    frmSplash splash{flags};
    frmMain main{services, flags, splash};
};
