#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// What a download asks of the service.
struct DownloadRequest {
    std::string address;      // http:// or https:// only
    std::string file;         // where the whole body goes, replacing it
    std::uint64_t maxBytes;   // a longer body is refused
    unsigned timeoutMs = 30000;  // to connect, and between two pieces of the body
    // The whole file: a server that trickles for longer ends the download.
    unsigned deadlineMs = 5 * 60 * 1000;
    // Asked while the download runs; true ends it at once (the user
    // cancelled, or Corvane is closing).
    std::function<bool()> cancelled;
};

// Fetches web addresses into files. The file appears only with a whole
// body of an answer 200: an error page, a body cut short or too long, a
// stalled server, a download past its deadline or cancelled give a problem
// and no file.
class IDownloads {
public:
    virtual ~IDownloads() = default;

    // What went wrong, in the user's words; nothing when the file is there.
    virtual std::optional<std::string> download(const DownloadRequest& request) = 0;
};
