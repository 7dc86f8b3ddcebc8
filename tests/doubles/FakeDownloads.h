#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/Downloads.h"
#include "doubles/FakeFileSystem.h"

// A web of addresses set up by the test; unknown addresses fail as an
// unreachable server does. Every address asked for is recorded.
class FakeDownloads : public IDownloads {
public:
    explicit FakeDownloads(FakeFileSystem& files) : files_(files) {}

    void serve(const std::string& address, const std::string& body) { bodies_[address] = body; }
    const std::vector<std::string>& asked() const { return asked_; }
    // Runs in every download, as the window's messages do while a real one
    // waits; a request cancelled meanwhile fails.
    std::function<void()> whileDownloading;

    std::optional<std::string> download(const DownloadRequest& request) override;

private:
    FakeFileSystem& files_;
    std::map<std::string, std::string> bodies_;
    std::vector<std::string> asked_;
};
