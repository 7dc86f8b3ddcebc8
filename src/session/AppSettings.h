#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/Options.h"
#include "app/SettingsFile.h"

// What settings.ini keeps between runs. It is read whole at start-up and
// written whole at shutdown; the forms show and edit it.
struct AppSettings {
    AppSettings();

    bool option(Option which) const { return options[static_cast<std::size_t>(OptionIndex(which))]; }
    void setOption(Option which, bool on) { options[static_cast<std::size_t>(OptionIndex(which))] = on; }

    // The Configuration page's options, in check-box order.
    std::array<bool, kOptionCount> options{};
    // Minutes between automatic update checks, as the user typed them.
    std::string interval = "60";
    bool logging = false;
    // When updates were last checked, as the user's locale writes it.
    std::string lastUpdate = "Never";
    // The window's transparency, 0 (opaque) to 100.
    int transparency = 0;
    // The Load dialog opens with its details shown.
    bool loadConfigDetails = false;
    // The CD-ROM drive chosen, by its place among the drives; -1 for none.
    int cdromSelection = 0;
    // The emulator to select at start-up (read, never written).
    int lastEmu = 0;
    // The update service's address as the user set it; "" when none is
    // set, and then section Updates is not written.
    std::string serviceAddress;
    // The project's web site for Help > Web Site; "" when none is set, and
    // then section Help is not written.
    std::string webSite;
};

AppSettings ReadSettings(IIniFile& ini, const std::string& path);
// Sections Configuration and (with addresses) Updates and Help, keys in the order
// the file has always had them.
std::vector<IniSection> SettingsSections(const AppSettings& settings);
