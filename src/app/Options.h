#pragma once

#include <array>

// The options of the Configuration page, in the order of their check boxes.
enum class Option { Splash, SysTray, Delete, Counters, Exit, PluginUpdates, ToolUpdates, Distribute, ConfirmRename };
constexpr int kOptionCount = 9;

inline int OptionIndex(Option option) { return static_cast<int>(option); }

struct OptionSetting {
    Option option;
    const char* key;  // in section Configuration; nullptr when not stored
    bool defaultValue;
    const char* caption;
};

// Every option with its key, default and caption, in check-box order.
inline const std::array<OptionSetting, kOptionCount>& OptionSettings() {
    static const std::array<OptionSetting, kOptionCount> settings{{
        {Option::Splash, "Splash", false, "D&o not show the splash screen when starting up"},
        {Option::SysTray, "SysTray", true, "&Send Corvane to the system tray when minimized"},
        {Option::Delete, "Delete", false, "&Immediately delete plugins instead of sending them to the recycle bin"},
        {Option::Counters, "Counters", true, "E&nable plugin total counters"},
        {Option::Exit, "Exit", true, "As&k for confirmation when exiting Corvane"},
        {Option::PluginUpdates, "PluginUpdates", true, "Auto&matically check for plugin updates"},
        {Option::ToolUpdates, "ToolUpdates", true, "Automatically c&heck for Corvane updates at the same time"},
        {Option::Distribute, "Distribute", false,
         "Automatically distribu&te plugins to their respective plugin directories"},
        {Option::ConfirmRename, nullptr, true, "Ask f&or confirmation when altering filenames of plugins"},
    }};
    return settings;
}
