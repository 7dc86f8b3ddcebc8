#include "profiles/RegTool.h"

namespace {
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

bool RegTool::runHidden(const std::string& arguments) {
    const ProcessOutcome outcome = run_(ProcessStart{program_, Quoted(program_) + " " + arguments, "", true});
    return outcome.started && outcome.exitCode == 0;
}

// Without /y the tool would wait for an answer to its overwrite question.
bool RegTool::Export(const std::string& key, const std::string& file) {
    return runHidden("export " + Quoted(key) + " " + Quoted(file) + " /y");
}

bool RegTool::Import(const std::string& file) { return runHidden("import " + Quoted(file)); }
