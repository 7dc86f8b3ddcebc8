#pragma once

#include <string>

#include "app/ActivityLog.h"
#include "app/Registry.h"
#include "emulators/ActiveSelection.h"

// Writes the user's choice of plug-ins into an emulator's registry values,
// the ones its selection is read from. A list or pad without a choice
// leaves its value as it is.
class ApplySelection {
public:
    ApplySelection(IRegistry& registry, ActivityLog& log) : registry_(registry), log_(log) {}

    void Apply(const std::string& type, EmuSystem system, const N64VersionKeys& keys, const PluginFiles& choice);

private:
    clsRegistry registry_;
    ActivityLog& log_;
};
