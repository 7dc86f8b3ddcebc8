#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FileSystem.h"

// PlayStation memory card files: new empty cards, the checks a card file
// must pass, and the card image in the file formats of emulators and card
// tools, read from one and written in another.
class clsMemCard {
public:
    static constexpr std::size_t kCardSize = 131072;  // 16 blocks of 64 frames of 128 bytes

    explicit clsMemCard(IFileSystem& files) : files_(files) {}

    // The card formats a card file may have, as (name, pattern) filters.
    static const std::vector<std::pair<std::string, std::string>>& Formats();
    // The message for a card file of a format Corvane does not make or read.
    static constexpr const char* kUnsupported = "Memory card format not supported";

    // Bytes of a card, or why there are none in the words of the message
    // shown.
    struct CardBytes {
        std::string bytes;
        std::optional<std::string> problem;
    };

    // An empty card: the header frame and fifteen free directory frames.
    static std::string EmptyCard();
    // The card image in a file's bytes, read in the format the path's
    // extension names.
    static CardBytes ImageOf(const std::string& path, const std::string& file);
    // The file's bytes for a card image in the format the path's extension
    // names; a problem when the file would not pass its own format's check.
    static CardBytes FileOf(const std::string& path, const std::string& image);
    // The card image in a file on disk.
    CardBytes ReadCard(const std::string& path);
    // True when the path's extension names a card format Corvane reads and
    // writes.
    static bool KnownFormat(const std::string& path);
    // True when a new card may be written at the path: only the bare image
    // is made, and a name of another card format would hold no such card.
    static bool MakesBareCard(const std::string& path);
    // Writes a card file, replacing the file only once it is whole; false
    // when it could not be written.
    bool WriteCard(const std::string& path, const std::string& bytes);

private:
    IFileSystem& files_;
};
