#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FileSystem.h"

// PlayStation memory card files: new empty cards, and the checks a card
// read from a file must pass.
class clsMemCard {
public:
    static constexpr std::size_t kCardSize = 131072;  // 16 blocks of 64 frames of 128 bytes
    static constexpr std::size_t kMemSize = kCardSize + 64;

    explicit clsMemCard(IFileSystem& files) : files_(files) {}

    // The card formats a card file may have, as (name, pattern) filters.
    static const std::vector<std::pair<std::string, std::string>>& Formats();
    // The message for a card file of a format Corvane does not make or read.
    static constexpr const char* kUnsupported = "Memory card format not supported";

    // An empty card: the header frame and fifteen free directory frames.
    static std::string EmptyCard();
    // Why a card file cannot be read in the format its extension names, in
    // the words of the message shown; nothing when it can.
    static std::optional<std::string> CardProblem(const std::string& path, const std::string& bytes);
    // The problem of a card file on disk; nothing when it can be read.
    std::optional<std::string> CheckCard(const std::string& path);
    // True when a new card may be written at the path: only the bare image
    // is made, and a name of another card format would hold no such card.
    static bool MakesBareCard(const std::string& path);
    // Writes a new empty card, replacing the file only once it is whole;
    // false when it could not be written.
    bool CreateNew(const std::string& path);

private:
    IFileSystem& files_;
};
