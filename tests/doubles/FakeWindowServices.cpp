#include "doubles/FakeWindowServices.h"

MessageAnswer FakeWindowServices::messageBox(WindowHandle, const std::string& text, const std::string& title,
                                             MessageIcon icon, MessageButtons buttons) {
    shown_.push_back({text, title, icon, buttons});
    MessageAnswer answer = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
                               ? MessageAnswer::Yes
                               : MessageAnswer::Ok;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (onModalClosed) onModalClosed();
    return answer;
}

bool FakeWindowServices::setWindowAlpha(WindowHandle window, int alpha) {
    alphas_.emplace_back(window, alpha);
    return true;
}

int FakeWindowServices::alphaOf(WindowHandle window) const {
    for (auto it = alphas_.rbegin(); it != alphas_.rend(); ++it)
        if (it->first == window) return it->second;
    return 255;
}

std::optional<std::string> FakeWindowServices::browseForFolder(WindowHandle, const std::string& title) {
    fileDialogTitles_.push_back(title);
    std::optional<std::string> folder;
    if (!folders_.empty()) {
        folder = folders_.front();
        folders_.pop_front();
    }
    if (onModalClosed) onModalClosed();
    return folder;
}

std::optional<std::string> FakeWindowServices::openFile(WindowHandle, const std::string& title, const std::string&,
                                                        const std::string&, const std::string&) {
    fileDialogTitles_.push_back(title);
    if (files_.empty()) return std::nullopt;
    auto path = files_.front();
    files_.pop_front();
    return path;
}

std::vector<std::string> FakeWindowServices::openFiles(WindowHandle, const std::string& title,
                                                       const std::vector<std::pair<std::string, std::string>>&) {
    fileDialogTitles_.push_back(title);
    if (fileLists_.empty()) return {};
    auto paths = fileLists_.front();
    fileLists_.pop_front();
    return paths;
}

std::optional<std::string> FakeWindowServices::openFileOf(WindowHandle owner, const std::string& title,
                                                          const std::vector<std::pair<std::string, std::string>>&,
                                                          const std::string& defaultExtension) {
    return openFile(owner, title, "", "", defaultExtension);
}

std::optional<std::string> FakeWindowServices::saveFile(WindowHandle owner, const std::string& title,
                                                        const std::vector<std::pair<std::string, std::string>>&,
                                                        const std::string& defaultExtension) {
    for (;;) {
        auto path = openFile(owner, title, "", "", defaultExtension);
        if (!path || !fileExists || !fileExists(*path)) return path;
        // The system's own question; No returns to the dialog.
        if (messageBox(owner, *path + " already exists.\nDo you want to replace it?", title, MessageIcon::Exclamation,
                       MessageButtons::YesNo) == MessageAnswer::Yes)
            return path;
    }
}
