#pragma once

#include <string>

#include "session/Session.h"
#include "ui/Form.h"

// The Add/Edit dialog of the emulator database.
class frmAddEmu : public Form {
public:
    enum class Mode { Add, Edit };

    // In edit mode the fields start from the entry of number `row`.
    frmAddEmu(Session& session, Mode mode, int row);

    Label lblHeading, lblName, lblExe, lblPlugins, lblSystem, lblType;
    TextBox txtName, txtExe, txtPlugins;
    Button cmdBrowseExe, cmdBrowsePlugins, cmdOK, cmdCancel;
    ComboBox cmbSystem, cmbType;

    void Form_Activate();
    void cmbSystem_Click();
    void cmdBrowseExe_Click();
    void cmdBrowsePlugins_Click();
    void cmdOK_Click();

private:
    void buildControls();
    EmuSystem chosenSystem() const;
    void fillTypes();
    void loadRow();
    void refuse(const std::string& title, const std::string& text);

    Session& session_;
    Mode mode_;
    int row_;
    int lastSystem_ = 0;
};
