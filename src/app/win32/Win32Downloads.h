#pragma once

#include "app/Downloads.h"

// Downloads through WinINet, never through its cache; the calling thread's
// messages run while the transfer does (a worker thread carries it).
class Win32Downloads : public IDownloads {
public:
    std::optional<std::string> download(const DownloadRequest& request) override;
};
