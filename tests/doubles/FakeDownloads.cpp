#include "doubles/FakeDownloads.h"

std::optional<std::string> FakeDownloads::download(const DownloadRequest& request) {
    asked_.push_back(request.address);
    if (whileDownloading) whileDownloading();
    if (request.cancelled && request.cancelled()) return "The download from " + request.address + " was cancelled.";
    const auto body = bodies_.find(request.address);
    if (body == bodies_.end()) return "The server at " + request.address + " did not answer.";
    if (body->second.size() > request.maxBytes) return "The download from " + request.address + " is too large.";
    if (files_.exists(request.file)) files_.deleteFile(request.file);
    if (!files_.appendToFile(request.file, body->second)) return std::string("The download could not be written.");
    return std::nullopt;
}
