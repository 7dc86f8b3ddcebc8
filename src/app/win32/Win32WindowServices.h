#pragma once

#include "app/WindowServices.h"

class Win32WindowServices : public IWindowServices {
public:
    MessageAnswer messageBox(WindowHandle owner, const std::string& text, const std::string& title,
                             MessageIcon icon, MessageButtons buttons) override;
    bool setWindowAlpha(WindowHandle window, int alpha) override;
    bool setForeground(WindowHandle window) override;
    void setBusyCursor(bool busy) override;
    std::optional<std::string> browseForFolder(WindowHandle owner, const std::string& title) override;
    std::optional<std::string> openFile(WindowHandle owner, const std::string& title, const std::string& filterName,
                                        const std::string& pattern, const std::string& defaultExtension) override;
    std::vector<std::string> openFiles(WindowHandle owner, const std::string& title,
                                       const std::vector<std::pair<std::string, std::string>>& filters) override;
    std::optional<std::string> openFileOf(WindowHandle owner, const std::string& title,
                                          const std::vector<std::pair<std::string, std::string>>& filters,
                                          const std::string& defaultExtension) override;
    std::optional<std::string> saveFile(WindowHandle owner, const std::string& title,
                                        const std::vector<std::pair<std::string, std::string>>& filters,
                                        const std::string& defaultExtension) override;
};
