#include "session/PluginLists.h"

#include <algorithm>

namespace {
constexpr PluginKind kPadList = PluginKind::PAD;
}  // namespace

int PluginLists::chosenRow(PluginKind kind) const {
    if (kind == kPadList) {
        const auto pad = padRows_.find(shownPad_);
        return pad == padRows_.end() ? -1 : pad->second;
    }
    const auto found = rows_.find(kind);
    return found == rows_.end() ? -1 : found->second;
}

PluginSelection PluginLists::commandTarget() const {
    if (!chosenList_) return {};
    const PluginCatalogue& listed = catalogue(SystemOf(*chosenList_));
    const PluginRecord* record = listed.at(*chosenList_, chosenRow(*chosenList_));
    // An ePSXe core is no file: no command can act on it.
    if (!record || record->core) return {};
    return PluginSelection{record->name, listed.folder + record->fileName, *chosenList_};
}

void PluginLists::replace(EmuSystem system, PluginCatalogue catalogue) {
    catalogues_[system] = std::move(catalogue);
    for (PluginKind kind : KindsOf(system)) rows_.erase(kind);
    if (system == EmuSystem::PSX) padRows_.clear();
    updatable_[system].clear();
}

void PluginLists::showActive(EmuSystem system, const PluginFiles& active) {
    // PSX lists compare file names without regard to letter case; N64
    // lists compare them exactly.
    const bool ignoreCase = system == EmuSystem::PSX;
    for (const auto& [kind, fileName] : active.lists) {
        const int row = FindPluginRow(catalogue(system).list(kind), fileName, ignoreCase);
        if (row >= 0 && kind != kPadList) rows_[kind] = row;
    }
    if (system != EmuSystem::PSX) return;
    // Every reading starts the pads afresh: a pad without a value in this
    // emulator's key keeps no row of another emulator's. The row on screen
    // stays where the shown pad has no value.
    const int shownRow = chosenRow(kPadList);
    padRows_.clear();
    for (const auto& [pad, fileName] : active.pads) {
        const int row = FindPluginRow(catalogue(system).list(kPadList), fileName, true);
        if (row >= 0) padRows_[pad] = row;
    }
    if (shownRow >= 0 && !padRows_.count(shownPad_)) padRows_[shownPad_] = shownRow;
}

void PluginLists::choose(PluginKind kind, int row) {
    chosenList_ = kind;
    const bool listed = row >= 0 && row < static_cast<int>(catalogue(SystemOf(kind)).list(kind).size());
    if (kind == kPadList) {
        if (listed) padRows_[shownPad_] = row;
        else padRows_.erase(shownPad_);
    } else {
        if (listed) rows_[kind] = row;
        else rows_.erase(kind);
    }
}

bool PluginLists::showPad(Pad pad) {
    if (pad == shownPad_) return false;
    shownPad_ = pad;
    return true;
}

PluginFiles PluginLists::choice() const {
    PluginFiles files;
    for (const auto& [kind, row] : rows_)
        if (const PluginRecord* record = catalogue(SystemOf(kind)).at(kind, row)) files.lists[kind] = record->fileName;
    for (const auto& [pad, row] : padRows_)
        if (const PluginRecord* record = catalogue(EmuSystem::PSX).at(kPadList, row)) files.pads[pad] = record->fileName;
    return files;
}

PluginRecord* PluginLists::chosenRecord() {
    if (!chosenList_) return nullptr;
    auto& records = catalogues_[SystemOf(*chosenList_)].list(*chosenList_);
    const int row = chosenRow(*chosenList_);
    return row >= 0 && row < static_cast<int>(records.size()) ? &records[static_cast<std::size_t>(row)] : nullptr;
}

void PluginLists::renamed(const std::string& fileName) {
    if (PluginRecord* record = chosenRecord()) record->fileName = fileName;
}

void PluginLists::removed() {
    if (!chosenRecord()) return;
    const PluginKind kind = *chosenList_;
    auto& records = catalogues_[SystemOf(kind)].list(kind);
    const int row = chosenRow(kind);
    records.erase(records.begin() + row);
    if (kind == kPadList) {
        // The other pad's row follows the rows that moved up.
        const Pad other = OtherPad(shownPad_);
        if (const auto found = padRows_.find(other); found != padRows_.end()) {
            if (found->second == row) padRows_.erase(found);
            else if (found->second > row) --found->second;
        }
    }
    choose(kind, std::min(row, static_cast<int>(records.size()) - 1));
}
