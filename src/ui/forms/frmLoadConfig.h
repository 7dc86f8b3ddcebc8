#pragma once

#include <array>
#include <vector>

#include "session/ProfileCommands.h"
#include "session/Session.h"
#include "ui/Form.h"

// The dialog that lists the saved profiles and imports the one chosen; its
// details show the chosen profile's comments and what loading it would
// change.
class frmLoadConfig : public Form {
public:
    explicit frmLoadConfig(Session& session);

    Label lblPrompt, lblFilename, lblComments, lblChanges;
    ListView lstConfigs;
    // 0 the profile's file name, 1 its comments, 2 what loading it would
    // change.
    std::array<TextBox, 3> txtConfig;
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
    // The details of a listed profile: its comments and what it would change.
    void showDetails(std::size_t row);

    Session& session_;
    std::vector<ProfileListing> entries_;
};
