#include "ui/forms/frmAddEmu.h"

#include <algorithm>

#include "app/Helpers.h"

namespace {
int SystemIndex(EmuSystem system) { return system == EmuSystem::N64 ? 1 : 0; }

// The types of a system, in the order the dialog lists them.
std::vector<const EmulatorType*> TypesOf(EmuSystem system) {
    std::vector<const EmulatorType*> types;
    for (const EmulatorType& type : EmulatorTypes())
        if (type.system == system) types.push_back(&type);
    return types;
}

// The index of a type in its system's list, as the dialog shows it.
int TypeIndex(EmuSystem system, const std::string& name) {
    const auto types = TypesOf(system);
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i]->name == name) return static_cast<int>(i);
    return 0;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
}  // namespace

frmAddEmu::frmAddEmu(Session& session, Mode mode, int row) : session_(session), mode_(mode), row_(row) {
    buildControls();
    onActivate = [this] { Form_Activate(); };
    cmbSystem.onClick = [this] { cmbSystem_Click(); };
    cmdBrowseExe.onClick = [this] { cmdBrowseExe_Click(); };
    cmdBrowsePlugins.onClick = [this] { cmdBrowsePlugins_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { unload(); };
    // The Delete key empties a whole field: the path fields can only be
    // filled by browsing.
    for (TextBox* field : {&txtName, &txtExe, &txtPlugins}) field->onDeleteKey = [field] { field->setText(""); };
    if (mode_ == Mode::Edit) loadRow();
}

void frmAddEmu::buildControls() {
    lblHeading.setCaption("Add an emulator to Corvane's emulator database:");
    lblName.setCaption("Name:");
    lblExe.setCaption("Execuable Path:");
    lblPlugins.setCaption("Plugins Directory:");
    lblSystem.setCaption("System:");
    lblType.setCaption("Type:");
    txtName.setMaxLength(100);
    txtExe.setReadOnly(true);
    txtPlugins.setReadOnly(true);
    cmdBrowseExe.setCaption("Browse");
    cmdBrowsePlugins.setCaption("Browse");
    cmdOK.setCaption("OK");
    cmdCancel.setCaption("Cancel");
    cmbSystem.addItem("Playstation");
    cmbSystem.addItem("Nintendo 64");
    cmbSystem.setListIndex(0);
    fillTypes();
}

void frmAddEmu::fillTypes() {
    cmbType.clear();
    for (const EmulatorType* type : TypesOf(chosenSystem())) cmbType.addItem(type->name);
    cmbType.setListIndex(0);
}

EmuSystem frmAddEmu::chosenSystem() const { return kSystems[cmbSystem.listIndex() == 1 ? 1 : 0]; }

void frmAddEmu::loadRow() {
    const EmulatorEntry entry = session_.emulators().Entry(row_);
    txtName.setText(entry.Name);
    txtExe.setText(entry.Exe);
    txtPlugins.setText(entry.Plugins);
    // An entry of no known system shows as a PlayStation one.
    const EmuSystem system = entry.System == EmuSystem::N64 ? EmuSystem::N64 : EmuSystem::PSX;
    cmbSystem.setListIndex(SystemIndex(system));
    cmbSystem_Click();
    cmbType.setListIndex(TypeIndex(system, entry.Type));
}

void frmAddEmu::Form_Activate() {
    if (mode_ == Mode::Add) {
        setCaption("Corvane: Add Emulator");
        return;
    }
    setCaption("Corvane: Edit Emulator");
    lblHeading.setCaption("Edit an emulator in Corvane's emulator database:");
}

void frmAddEmu::cmbSystem_Click() {
    if (cmbSystem.listIndex() == lastSystem_) return;
    lastSystem_ = cmbSystem.listIndex();
    fillTypes();
}

void frmAddEmu::cmdBrowseExe_Click() {
    const auto chosen = session_.services().windows.openFile(handle(), "Select your emulator's executable:",
                                                   "Executable Programs (*.exe)", "*.exe", "exe");
    if (!chosen) return;
    const std::string path = Trim(chosen->substr(0, chosen->find('\0')));
    txtExe.setText(path);
    const std::string fileName = LowerCase(ParseFileName(path));
    for (const EmulatorType& known : EmulatorTypes()) {
        if (!known.executable || fileName != known.executable) continue;
        cmbSystem.setListIndex(SystemIndex(known.system));
        cmbSystem_Click();
        cmbType.setListIndex(TypeIndex(known.system, known.name));
        // The proposed name is the type's own.
        if (txtName.text().empty()) txtName.setText(known.name);
        if (txtPlugins.text().empty()) txtPlugins.setText(ParsePath(path) + known.pluginFolder);
        return;
    }
}

void frmAddEmu::cmdBrowsePlugins_Click() {
    const std::string folder = BrowseForFolder(session_.services().windows, handle(), "Select your emulator's plugin directory:");
    if (folder != "\\") txtPlugins.setText(folder);
}

void frmAddEmu::refuse(const std::string& title, const std::string& text) {
    session_.services().windows.messageBox(handle(), text, title, MessageIcon::Exclamation, MessageButtons::Ok);
}

void frmAddEmu::cmdOK_Click() {
    if (txtName.text().empty()) {
        refuse("Form Not Complete", "The 'name' field cannot be left blank. Please enter a name for the entry.");
        txtName.setFocus();
        return;
    }
    if (txtPlugins.text().empty()) {
        refuse("Form Not Complete",
               "The 'plugin directory' field cannot be left blank. Please enter the location to the plugin directory.");
        txtPlugins.setFocus();
        return;
    }
    const EmulatorType* type = TypeNamed(cmbType.text(), chosenSystem());
    if (txtExe.text().empty() && (!type || type->kind != EmulatorKind::Folder)) {
        refuse("Invalid Value",
               "If a value is not present in the 'emulator executable' field, the emulator type must be set to "
               "'Folder.'");
        return;
    }
    if (IsReservedEmulatorName(txtName.text())) {
        // Settings.ini ends its list of emulators at an entry of this name:
        // this one and every later one would be lost at the next start.
        refuse("Invalid Value", "The name '" + txtName.text() +
                                    "' is reserved by Corvane. Please enter another name for the entry.");
        txtName.setFocus();
        return;
    }
    const EmulatorEntry entry{txtName.text(), chosenSystem(), cmbType.text(),
                              txtExe.text().empty() ? "...." : txtExe.text(), txtPlugins.text()};
    session_.storeEmulator(row_, entry);
    unload();
}
