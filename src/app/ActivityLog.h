#pragma once

#include <string>

#include "app/AppFlags.h"
#include "app/Clock.h"
#include "app/FileSystem.h"
#include "app/WindowServices.h"

// The activity log "corvane.log" in the program folder. Each line is
// "[date time]: message" ended by CR LF; the file is opened and closed for
// every line, so it is complete on disk after each one.
class ActivityLog {
public:
    ActivityLog(AppFlags& flags, IFileSystem& files, IClock& clock, IWindowServices& windows,
                const std::string& programFolder);

    // Writes one line when logging is on; newLog puts an empty line first,
    // to mark a new session. When the file cannot be written the user is
    // told once per run and the program goes on.
    void logMsg(const std::string& strLogMsg, bool blNewLog = false);

    // Edit > Enable Logging: switches logging and leaves a marker line on
    // whichever side of the switch logging is on. Returns the new state.
    bool toggle();

private:
    AppFlags& flags_;
    IFileSystem& files_;
    IClock& clock_;
    IWindowServices& windows_;
    std::string path_;
    bool failureReported_ = false;
};
