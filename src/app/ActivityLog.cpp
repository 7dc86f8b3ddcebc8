#include "app/ActivityLog.h"

#include "app/Helpers.h"

ActivityLog::ActivityLog(const bool& enabled, IFileSystem& files, IClock& clock, const std::string& programFolder)
    : enabled_(enabled), files_(files), clock_(clock), path_(QualifyPath(programFolder) + "corvane.log") {}

void ActivityLog::logMsg(const std::string& strLogMsg, bool blNewLog) {
    if (!enabled_) return;
    std::string text = blNewLog ? "\r\n" : "";
    text += "[" + clock_.formatGeneral(clock_.now()) + "]: " + strLogMsg + "\r\n";
    if (files_.appendToFile(path_, text) || failureReported_) return;
    // A read-only program folder must not stop the command that logs, nor
    // nag on every line: say it once.
    failureReported_ = true;
    if (onWriteFailure) onWriteFailure(path_);
}
