#pragma once

#include <string>

#include <functional>

#include "app/Clock.h"
#include "app/FileSystem.h"

// The activity log "corvane.log" in the program folder. Each line is
// "[date time]: message" ended by CR LF; the file is opened and closed for
// every line, so it is complete on disk after each one.
class ActivityLog {
public:
    // Logging is on while `enabled` (the setting the log belongs to) is.
    ActivityLog(const bool& enabled, IFileSystem& files, IClock& clock, const std::string& programFolder);

    // Writes one line when logging is on; newLog puts an empty line first,
    // to mark a new session. When the file cannot be written, onWriteFailure
    // hears of it once per run and the program goes on.
    void logMsg(const std::string& strLogMsg, bool blNewLog = false);
    std::function<void(const std::string& path)> onWriteFailure;

private:
    const bool& enabled_;
    IFileSystem& files_;
    IClock& clock_;
    std::string path_;
    bool failureReported_ = false;
};
