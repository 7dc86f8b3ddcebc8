#pragma once

#include <array>
#include <optional>

#include "profiles/Profile.h"
#include "session/Session.h"
#include "ui/Form.h"

// The dialog that saves the chosen registry settings as a profile, bound to
// a PSX disc, a PSX image, an N64 ROM or to nothing.
class frmSaveConfig : public Form {
public:
    // The system whose page the main window shows; none for its other pages.
    frmSaveConfig(Session& session, std::optional<EmuSystem> system);

    Frame fraGeneral, fraSave, fraBinding;
    Label lblName, lblComments, lblSelect, lblBindPrompt, lblBindMethod, lblGameId, lblFile;
    // 0 name, 1 game ID, 2 bound file, 3 comments.
    std::array<TextBox, 4> txtSaveInfo;
    std::array<CheckBox, kProfileContents> chkSaveConfig;
    ComboBox cmbBind;
    Button cmdDetectPSXID, cmdBrowse, cmdSave, cmdCancel;

    void Form_Activate();
    void cmbBind_Click();
    void cmdDetectPSXID_Click();
    void cmdBrowse_Click();
    void txtComments_DblClick();
    void cmdSave_Click();

private:
    void buildControls();
    bool checked(ProfileContent content) const { return chkSaveConfig[static_cast<int>(content)].checked(); }
    void check(ProfileContent content) { chkSaveConfig[static_cast<int>(content)].setChecked(true); }
    BindMethod bindMethod() const { return static_cast<BindMethod>(cmbBind.listIndex()); }
    bool formComplete();
    void warn(const std::string& title, const std::string& text);

    Session& session_;
    std::optional<EmuSystem> system_;
    // The boxes are checked for the system once: later activations (after
    // a box, the Browse dialog, another program) keep what the user chose.
    bool prechecked_ = false;
};
