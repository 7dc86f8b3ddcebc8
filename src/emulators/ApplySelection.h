#pragma once

#include <array>
#include <string>

#include "app/ActivityLog.h"
#include "app/Registry.h"
#include "emulators/ActiveSelection.h"
#include "ui/Controls.h"

// Writes the plug-ins selected in the lists into an emulator's registry
// values (the ones its selection is read from), and switches the PAD list
// between the two PSX pads.
class ApplySelection {
public:
    ApplySelection(IRegistry& registry, ActivityLog& log, std::array<ListView, 8>& lists, PadState& pads)
        : registry_(registry), log_(log), lists_(lists), pads_(pads) {}

    void Apply(const std::string& type, const N64VersionKeys& keys);
    // Shows pad 1 or 2 in the PAD list, remembering the row picked for the
    // pad shown until now.
    void ShowPad(int pad);

private:
    // The file name of a row of a list, "" for no row.
    std::string fileNameAt(int list, int row) const;

    clsRegistry registry_;
    ActivityLog& log_;
    std::array<ListView, 8>& lists_;
    PadState& pads_;
};
