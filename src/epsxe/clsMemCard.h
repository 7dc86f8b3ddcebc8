#pragma once

#include <optional>
#include <string>

#include "app/FileSystem.h"
#include "app/WindowServices.h"

// PlayStation memory card files: new empty cards, and the checks a card
// read from a file must pass.
class clsMemCard {
public:
    static constexpr std::size_t kCardSize = 131072;  // 16 blocks of 64 frames of 128 bytes
    static constexpr std::size_t kMemSize = kCardSize + 64;

    clsMemCard(IFileSystem& files, IWindowServices& windows, WindowHandle owner)
        : files_(files), windows_(windows), owner_(owner) {}

    // Asks for a file name and writes a new empty card there, as a bare
    // ".mcr" image; the path, or "" when the user cancels.
    std::string CreateNew(int SlotID);

    // An empty card: the header frame and fifteen free directory frames.
    static std::string EmptyCard();
    // Why a card file cannot be read in the format its extension names, in
    // the words of the message shown; nothing when it can.
    static std::optional<std::string> CardProblem(const std::string& path, const std::string& bytes);
    // Runs the check on a chosen card file and tells the user when it fails.
    bool CheckCard(const std::string& path);

private:
    bool writeCard(const std::string& path);

    IFileSystem& files_;
    IWindowServices& windows_;
    WindowHandle owner_;
};
