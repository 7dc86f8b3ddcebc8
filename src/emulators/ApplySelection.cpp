#include "emulators/ApplySelection.h"

namespace {
constexpr int kPadList = 3;
}

std::string ApplySelection::fileNameAt(int list, int row) const {
    const auto& rows = lists_[list].rows();
    return row >= 0 && row < static_cast<int>(rows.size()) ? rows[row].subItems.back() : std::string();
}

void ApplySelection::Apply(const std::string& type, const N64VersionKeys& keys) {
    log_.logMsg("Configuring " + type + " plugin selections...");
    const SelectionTable* table = SelectionTableOf(type);
    const std::string key = ActiveSelection::KeyOf(type, keys);
    if (!table || key.empty()) return;
    // The row picked for the pad on screen is the one the user means.
    if (lists_[kPadList].selectedIndex() >= 0) pads_.rows[pads_.shown - 1] = lists_[kPadList].selectedIndex();
    for (const auto& value : table->values) {
        // An empty list, or a list (or pad) with no row chosen, leaves its
        // value as it is.
        const int row = value.pad ? pads_.rows[value.pad - 1] : lists_[value.list].selectedIndex();
        const std::string fileName = fileNameAt(value.list, row);
        if (fileName.empty()) continue;
        registry_.SaveRegString(clsRegistry::kCurrentUser, key, value.valueName,
                                (table->psxevenPrefix ? "plugins\\" : "") + fileName);
    }
}

void ApplySelection::ShowPad(int pad) {
    // The pad already shown: nothing to switch.
    if (pad == pads_.shown) return;
    ListView& padList = lists_[kPadList];
    if (!padList.rows().empty()) {
        pads_.rows[pads_.shown - 1] = padList.selectedIndex();
        padList.setSelectedIndex(pads_.rows[pad - 1]);
    }
    pads_.shown = pad;
    log_.logMsg("PSX pad #" + std::to_string(pad) + " selected...", true);
}
