#pragma once

#include <array>
#include <vector>

#include "session/ProfileCommands.h"
#include "session/Session.h"
#include "ui/Form.h"

// The dialog that lists the saved profiles and imports the one chosen.
class frmLoadConfig : public Form {
public:
    explicit frmLoadConfig(Session& session);

    Label lblPrompt, lblFilename, lblComments;
    ListView lstConfigs;
    // 0 the profile's file name, 1 its comments.
    std::array<TextBox, 2> txtConfig;
    Button cmdLoad, cmdCancel, cmdDetails;

    void lstConfigs_ItemClick();
    void lstConfigs_KeyDelete();
    void txtConfig_KeyUp(int key);
    void cmdLoad_Click();
    void cmdDetails_Click();

    // The dialog's heights without and with its details, in units of
    // 96 dots per inch (4830 and 8310 twips).
    static constexpr int kShortHeight = 322, kTallHeight = 554, kWidth = 460;

private:
    void buildControls();
    void bindList();

    Session& session_;
    std::vector<ProfileListing> entries_;
};
