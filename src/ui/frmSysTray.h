#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Services.h"
#include "ui/Form.h"

// The hidden window that owns the program's icon in the notification area,
// its balloon tips and its popup menu, and reports what the user does there
// as events.
class frmSysTray : public Form {
public:
    // The icon's messages arrive as this message, carrying the mouse or
    // balloon message that happened.
    static constexpr unsigned kCallbackMessage = 512;
    // The popup's fixed entries, by their index in mnuSysTray.
    enum Entry { Open, Update, Exit };

    explicit frmSysTray(Services& services);

    // Puts the icon into the notification area.
    void Form_Load();
    void Form_Unload();
    // The icon's callback message with the message it carries.
    void Form_MouseMove(unsigned message);
    // The shell started (again): its notification area is empty.
    void TaskbarCreated();

    // True while the icon is in the notification area.
    bool inTray() const { return inTray_; }
    const std::string& ToolTip() const { return record_.tip; }
    void setToolTip(const std::string& tip);
    // Shows a balloon over the icon; nothing happens where the system has
    // no balloons.
    bool ShowBalloonTip(const std::string& sMessage, const std::string& sTitle, BalloonIcon eIcon,
                        unsigned lTimeOutMs);

    // The launch submenus: emptied, then given an entry per emulator.
    void ClearLaunchItems();
    void AddEmuItem(const std::string& caption, bool enabled);
    void AddCDROMItem(const std::string& caption, bool enabled);
    void AddISOROMItem(const std::string& caption, bool enabled);
    // Enables or disables the three launch submenus as a whole.
    void EnableLaunchMenus(bool enabled);
    void ShowMenu() { popupMenu(mnuPopup_); }
    const MenuNode& popup() const { return mnuPopup_; }

    std::array<MenuItem, 3> mnuSysTray;
    MenuItem mnuPopupLaunchEmu, mnuPopupLaunchCDROM, mnuPopupLaunchISOROM;
    std::vector<std::unique_ptr<MenuItem>> mnuPopupLaunchEmuList, mnuPopupLaunchCDROMList, mnuPopupLaunchISOROMList;

    // Events; a button is 1 (left) or 2 (right).
    std::function<void(int button)> SysTrayMouseDown, SysTrayMouseUp, SysTrayDoubleClick;
    std::function<void()> SysTrayMouseMove;
    std::function<void(int index, const std::string& tag)> MenuClick;
    std::function<void(int index)> EmuClick, CDROMClick, ISOROMClick;
    std::function<void()> BalloonShow, BalloonHide, BalloonTimeOut, BalloonClicked;

private:
    void addIcon();
    void addLaunchItem(std::vector<std::unique_ptr<MenuItem>>& items, int submenu, const std::string& caption,
                       bool enabled, const std::function<void(int)>& event);
    static void raise(const std::function<void()>& event);
    static void raise(const std::function<void(int)>& event, int value);

    Services& services_;
    NotifyIconRecord record_;
    bool m_bSupportsNewVersion = false;
    bool inTray_ = false;
    // A right button went down over the icon: the context-menu message that
    // follows its release must not open the menu a second time.
    bool rightPressed_ = false;
    MenuNode mnuPopup_;
};
