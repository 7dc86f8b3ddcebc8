#pragma once

#include <array>
#include <vector>

#include "profiles/N64RegistryPaths.h"
#include "session/Session.h"
#include "ui/Form.h"

// The dialog that edits the N64 plug-ins' registry keys profiles take along.
class frmConfigN64Regpaths : public Form {
public:
    explicit frmConfigN64Regpaths(Session& session);

    Label lblPrompt, lblName, lblPath;
    ListView lstRegPaths;
    // 0 the name, 1 the path.
    std::array<TextBox, 2> txtInfo;
    Button cmdAdd, cmdRemove, cmdOK;

    void txtInfo_Change();
    void cmdAdd_Click();
    void lstRegPaths_ItemClick();
    void cmdRemove_Click();
    void cmdOK_Click();

private:
    void bindList();

    Session& session_;
    std::vector<N64RegistryPath> paths_;
};
