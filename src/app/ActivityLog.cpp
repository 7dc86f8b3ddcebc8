#include "app/ActivityLog.h"

#include "app/Helpers.h"

ActivityLog::ActivityLog(AppFlags& flags, IFileSystem& files, IClock& clock, IWindowServices& windows,
                         const std::string& programFolder)
    : flags_(flags), files_(files), clock_(clock), windows_(windows),
      path_(QualifyPath(programFolder) + "corvane.log") {}

void ActivityLog::logMsg(const std::string& strLogMsg, bool blNewLog) {
    if (!flags_.blLoggingEnabled) return;
    std::string text = blNewLog ? "\r\n" : "";
    text += "[" + clock_.formatGeneral(clock_.now()) + "]: " + strLogMsg + "\r\n";
    if (files_.appendToFile(path_, text) || failureReported_) return;
    // A read-only program folder must not stop the command that logs, nor
    // nag on every line: say it once.
    failureReported_ = true;
    windows_.messageBox(0,
                        "The activity log could not be written to " + path_ +
                            ".  Check that the program folder can be written to, or switch logging off "
                            "in the Edit menu.",
                        "Activity Log", MessageIcon::Exclamation, MessageButtons::Ok);
}

bool ActivityLog::toggle() {
    if (flags_.blLoggingEnabled) logMsg("****** Logging Disabled ******", true);
    flags_.blLoggingEnabled = !flags_.blLoggingEnabled;
    if (flags_.blLoggingEnabled) logMsg("****** Logging Enabled ******", true);
    return flags_.blLoggingEnabled;
}
