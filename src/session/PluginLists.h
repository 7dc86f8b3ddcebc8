#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "emulators/ActiveSelection.h"
#include "plugins/PluginCatalogue.h"
#include "plugins/PluginCommands.h"

// The plug-ins the lists show: each system's catalogue as last scanned, the
// row chosen in each list, the PAD list's two pads (the list shows one at a
// time, and its chosen row is the shown pad's), and the installed plug-ins
// an update check offered something newer for.
class PluginLists {
public:
    const PluginCatalogue& catalogue(EmuSystem system) const { return catalogues_[system]; }
    // The row chosen in a list; -1 for none.
    int chosenRow(PluginKind kind) const;
    // The list the user last chose a row in.
    std::optional<PluginKind> chosenList() const { return chosenList_; }
    // The plug-in the commands act on: the chosen row of the list last
    // chosen in; an empty path for none, and for an ePSXe core (no file).
    PluginSelection commandTarget() const;
    Pad shownPad() const { return shownPad_; }
    const std::map<Pad, int>& padRows() const { return padRows_; }
    const std::vector<std::string>& updatable(EmuSystem system) const { return updatable_[system]; }

    // A fresh scan's catalogue: no row is chosen in its lists, no pad has a
    // row and no update is offered for what it lists.
    void replace(EmuSystem system, PluginCatalogue catalogue);
    // An emulator's active plug-ins become the chosen rows; a list whose
    // active file is not listed keeps its row.
    void showActive(EmuSystem system, const PluginFiles& active);
    void choose(PluginKind kind, int row);
    // The PAD list shows the other pad; false when it shows that one already.
    bool showPad(Pad pad);
    // The files chosen, as Apply writes them.
    PluginFiles choice() const;
    void markUpdatable(EmuSystem system, std::vector<std::string> files) { updatable_[system] = std::move(files); }
    // The command target's file was renamed, or deleted (the row after it
    // is chosen then, or the one before when it was the last).
    void renamed(const std::string& fileName);
    void removed();

private:
    PluginRecord* chosenRecord();

    PerSystem<PluginCatalogue> catalogues_;
    std::map<PluginKind, int> rows_;  // every list but the PSX PAD list
    std::optional<PluginKind> chosenList_;
    Pad shownPad_ = Pad::One;
    std::map<Pad, int> padRows_;
    PerSystem<std::vector<std::string>> updatable_;
};
