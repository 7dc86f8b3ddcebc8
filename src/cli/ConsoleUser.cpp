#include "cli/ConsoleUser.h"

#include "app/Helpers.h"

namespace {
// A box's text on the console: its line breaks as the console's.
std::string Lines(const std::string& text) {
    std::string lines;
    for (const std::string& line : TextLines(text)) lines += line + "\n";
    return lines;
}
}  // namespace

void ConsoleUser::tell(const std::string& title, const std::string& text, MessageIcon icon) {
    if (icon == MessageIcon::Critical) failed_ = true;
    console_.err(title + ": " + Lines(text));
}

bool ConsoleUser::ask(const std::string& title, const std::string& text, MessageIcon) {
    if (answerYes_) return true;
    console_.err(title + ": " + Lines(text) + "(y/n) ");
    const auto answer = console_.readLine();
    return answer && (LowerCase(*answer) == "y" || LowerCase(*answer) == "yes");
}
