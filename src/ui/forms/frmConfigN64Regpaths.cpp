#include "ui/forms/frmConfigN64Regpaths.h"

#include "session/ProfileCommands.h"

frmConfigN64Regpaths::frmConfigN64Regpaths(Session& session) : session_(session) {
    setCaption("Corvane: Configure N64 Registry Paths");
    lblPrompt.setCaption(
        "Configure the N64 plugins whose settings will be extracted and saved into configuration profiles:");
    lblName.setCaption("Name:");
    lblPath.setCaption("Path:");
    lstRegPaths.setColumns({{"Plugin Name", 150}, {"Registry Path", 300}});
    cmdAdd.setCaption("&Add");
    cmdRemove.setCaption("&Remove");
    cmdOK.setCaption("OK");
    cmdAdd.setEnabled(false);
    for (TextBox& box : txtInfo) box.onChange = [this] { txtInfo_Change(); };
    cmdAdd.onClick = [this] { cmdAdd_Click(); };
    lstRegPaths.onItemClick = [this] { lstRegPaths_ItemClick(); };
    cmdRemove.onClick = [this] { cmdRemove_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    paths_ = session_.profiles().n64Paths();
    bindList();
    cmdRemove.setEnabled(!paths_.empty());
}

void frmConfigN64Regpaths::bindList() {
    std::vector<ListRow> rows;
    for (const N64RegistryPath& entry : paths_) rows.push_back(ListRow{entry.name, 0, {entry.path}});
    lstRegPaths.setRows(std::move(rows));
}

void frmConfigN64Regpaths::txtInfo_Change() {
    cmdAdd.setEnabled(!txtInfo[0].text().empty() && !txtInfo[1].text().empty());
}

void frmConfigN64Regpaths::cmdAdd_Click() {
    // The list ends at a name it reads as missing: such a text cannot be
    // stored, and the user is told why the entry stays in the boxes.
    if (IsUnusableN64Text(txtInfo[0].text()) || IsUnusableN64Text(txtInfo[1].text())) {
        session_.services().windows.messageBox(
            handle(), "\"empty\" cannot be a plugin name or registry path: Corvane reads it as the end of the list.",
            "Invalid Entry", MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    paths_.push_back({txtInfo[0].text(), txtInfo[1].text()});
    bindList();
    for (TextBox& box : txtInfo) box.setText("");
    txtInfo[0].setFocus();
    cmdAdd.setEnabled(false);
}

void frmConfigN64Regpaths::lstRegPaths_ItemClick() {
    const int row = lstRegPaths.selectedIndex();
    if (row < 0) return;
    cmdRemove.setEnabled(true);
    txtInfo[0].setText(paths_[static_cast<std::size_t>(row)].name);
    txtInfo[1].setText(paths_[static_cast<std::size_t>(row)].path);
    txtInfo_Change();
}

void frmConfigN64Regpaths::cmdRemove_Click() {
    const int row = lstRegPaths.selectedIndex();
    if (row < 0) return;
    paths_.erase(paths_.begin() + row);
    bindList();
    if (paths_.empty()) cmdRemove.setEnabled(false);
}

void frmConfigN64Regpaths::cmdOK_Click() {
    if (session_.profiles().storeN64Paths(paths_)) unload();
}
