#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/WindowServices.h"

// Records the message boxes a test's code shows and answers them from a
// queue the test fills; unanswered boxes get their first button.
class FakeWindowServices : public IWindowServices {
public:
    struct ShownBox {
        std::string text, title;
        MessageIcon icon;
        MessageButtons buttons;
    };

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void queueFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }
    const std::vector<ShownBox>& shownBoxes() const { return shown_; }
    int alphaOf(WindowHandle window) const;

    MessageAnswer messageBox(WindowHandle owner, const std::string& text, const std::string& title,
                             MessageIcon icon, MessageButtons buttons) override;
    bool setWindowAlpha(WindowHandle window, int alpha) override;
    bool setForeground(WindowHandle) override { return true; }
    void setBusyCursor(bool) override {}
    std::optional<std::string> browseForFolder(WindowHandle owner, const std::string& title) override;
    std::optional<std::string> openFile(WindowHandle owner, const std::string& title, const std::string& filterName,
                                        const std::string& pattern, const std::string& defaultExtension) override;
    std::vector<std::string> openFiles(WindowHandle owner, const std::string& title,
                                       const std::vector<std::pair<std::string, std::string>>& filters) override;
    std::optional<std::string> openFileOf(WindowHandle owner, const std::string& title,
                                          const std::vector<std::pair<std::string, std::string>>& filters,
                                          const std::string& defaultExtension) override;
    // Answers from the same queue as the open dialogs; an existing file is
    // taken only when the next queued answer to the system's question
    // ("replace it?") is Yes.
    std::optional<std::string> saveFile(WindowHandle owner, const std::string& title,
                                        const std::vector<std::pair<std::string, std::string>>& filters,
                                        const std::string& defaultExtension) override;
    // Runs when a box or folder dialog closes, as Windows activates the
    // window that owned it again then.
    std::function<void()> onModalClosed;
    // Whether a path exists, as the save dialog sees it.
    std::function<bool(const std::string&)> fileExists;
    // The answers of the next open-file dialogs (nothing: cancelled), and the
    // titles of those shown; several files for a dialog of several.
    void queueFiles(std::vector<std::string> paths) { fileLists_.push_back(std::move(paths)); }
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    const std::vector<std::string>& fileDialogTitles() const { return fileDialogTitles_; }

private:
    std::vector<ShownBox> shown_;
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<std::string>> folders_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::vector<std::string>> fileLists_;
    std::vector<std::string> fileDialogTitles_;
    std::vector<std::pair<WindowHandle, int>> alphas_;
};
