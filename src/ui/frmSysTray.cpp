#include "ui/frmSysTray.h"

#include "app/Utf16.h"

namespace {
const char* const kTags[] = {"open", "update", "exit"};
// The launch submenus' places in the popup.
constexpr int kLaunchEmu = 2, kLaunchCDROM = 3, kLaunchISOROM = 4;

// Mouse messages as the icon's callback carries them; the shell adds the
// keyboard's two (the context-menu key, Enter on the icon) from version 3.
enum : unsigned {
    kContextMenu = 123, kMove = 512, kLeftDown = 513, kLeftUp = 514, kLeftDouble = 515, kRightDown = 516,
    kRightUp = 517, kRightDouble = 518, kKeySelect = 1025, kBalloonShow = 1026, kBalloonHide = 1027,
    kBalloonTimeOut = 1028, kBalloonClicked = 1029
};

// The record's buffers hold 128 (64 before balloons), 256 and 64
// characters, each with its terminating NUL.
constexpr std::size_t kTipUnits = 127, kOldTipUnits = 63, kBalloonTextUnits = 255, kBalloonTitleUnits = 63;
}  // namespace

frmSysTray::frmSysTray(Services& services) : services_(services) {
    setCaption("SysTray");
    const char* const captions[] = {"Open Orvisk's Corvane", "Check For Plugin Updates", "Exit"};
    for (int i = 0; i < 3; ++i) {
        mnuSysTray[i].setCaption(captions[i]);
        mnuSysTray[i].onClick = [this, i] {
            if (MenuClick) MenuClick(i, kTags[i]);
        };
    }
    mnuPopupLaunchEmu.setCaption("Launch Emu");
    mnuPopupLaunchCDROM.setCaption("Launch CDROM");
    mnuPopupLaunchISOROM.setCaption("Launch ISO/ROM");
    MenuNode open = Leaf(mnuSysTray[Open]);
    open.isDefault = true;
    mnuPopup_.children = {open,
                          Separator(),
                          DynamicSubmenu(mnuPopupLaunchEmu),
                          DynamicSubmenu(mnuPopupLaunchCDROM),
                          DynamicSubmenu(mnuPopupLaunchISOROM),
                          Separator(),
                          Leaf(mnuSysTray[Update]),
                          Separator(),
                          Leaf(mnuSysTray[Exit])};
    onUnload = [this] { Form_Unload(); };
}

void frmSysTray::Form_Load() {
    // Wide records only: the program runs on the NT family, where balloons
    // and the newer icon behaviour came with version 5.
    m_bSupportsNewVersion = services_.environment.osVersion().major >= 5;
    record_.window = handle();
    record_.callbackMessage = kCallbackMessage;
    setToolTip(services_.environment.fileDescription());
    addIcon();
}

void frmSysTray::addIcon() {
    inTray_ = services_.tray.add(record_);
    if (inTray_ && m_bSupportsNewVersion) services_.tray.setVersion(record_, 3);
}

void frmSysTray::TaskbarCreated() {
    // A restarted shell has forgotten every icon; a shell that only says so
    // again still holds it, and would refuse a second one.
    if (closed()) return;
    services_.tray.remove(record_);
    addIcon();
}

void frmSysTray::Form_Unload() {
    if (inTray_) services_.tray.remove(record_);
    inTray_ = false;
}

void frmSysTray::setToolTip(const std::string& tip) {
    record_.tip = CutToUtf16Units(tip, m_bSupportsNewVersion ? kTipUnits : kOldTipUnits);
    if (inTray_) services_.tray.modify(record_);
}

bool frmSysTray::ShowBalloonTip(const std::string& sMessage, const std::string& sTitle, BalloonIcon eIcon,
                                unsigned lTimeOutMs) {
    if (!m_bSupportsNewVersion || !inTray_) return false;
    NotifyIconRecord balloon = record_;
    balloon.balloonText = CutToUtf16Units(sMessage, kBalloonTextUnits);
    balloon.balloonTitle = CutToUtf16Units(sTitle, kBalloonTitleUnits);
    balloon.balloonIcon = eIcon;
    balloon.balloonTimeoutMs = lTimeOutMs;
    return services_.tray.modify(balloon);
}

void frmSysTray::raise(const std::function<void()>& event) {
    if (event) event();
}

void frmSysTray::raise(const std::function<void(int)>& event, int value) {
    if (event) event(value);
}

void frmSysTray::Form_MouseMove(unsigned message) {
    switch (message) {
        case kMove: return raise(SysTrayMouseMove);
        case kLeftDown: return;  // a left click counts when the button comes up
        case kLeftUp: return raise(SysTrayMouseDown, 1);
        case kLeftDouble: return raise(SysTrayDoubleClick, 1);
        case kRightDown:
            rightPressed_ = true;
            return raise(SysTrayMouseDown, 2);
        case kRightUp: return raise(SysTrayMouseUp, 2);
        case kRightDouble: return raise(SysTrayDoubleClick, 2);
        case kContextMenu:
            // From the keyboard (Shift+F10, the menu key) it is the only
            // message; after a right click the menu was shown already.
            if (!rightPressed_) raise(SysTrayMouseDown, 2);
            rightPressed_ = false;
            return;
        case kKeySelect: return raise(SysTrayDoubleClick, 1);
        case kBalloonShow: return raise(BalloonShow);
        case kBalloonHide: return raise(BalloonHide);
        case kBalloonTimeOut: return raise(BalloonTimeOut);
        case kBalloonClicked: return raise(BalloonClicked);
        default: return;
    }
}

void frmSysTray::ClearLaunchItems() {
    for (auto* items : {&mnuPopupLaunchEmuList, &mnuPopupLaunchCDROMList, &mnuPopupLaunchISOROMList}) items->clear();
    for (int submenu : {kLaunchEmu, kLaunchCDROM, kLaunchISOROM}) mnuPopup_.children[submenu].children.clear();
}

void frmSysTray::addLaunchItem(std::vector<std::unique_ptr<MenuItem>>& items, int submenu, const std::string& caption,
                               bool enabled, const std::function<void(int)>& event) {
    const int index = static_cast<int>(items.size());
    auto item = std::make_unique<MenuItem>();
    item->setCaption(caption);
    item->setEnabled(enabled);
    item->onClick = [&event, index] {
        if (event) event(index);
    };
    mnuPopup_.children[submenu].children.push_back(Leaf(*item));
    items.push_back(std::move(item));
}

void frmSysTray::AddEmuItem(const std::string& caption, bool enabled) {
    addLaunchItem(mnuPopupLaunchEmuList, kLaunchEmu, caption, enabled, EmuClick);
}

void frmSysTray::AddCDROMItem(const std::string& caption, bool enabled) {
    addLaunchItem(mnuPopupLaunchCDROMList, kLaunchCDROM, caption, enabled, CDROMClick);
}

void frmSysTray::AddISOROMItem(const std::string& caption, bool enabled) {
    addLaunchItem(mnuPopupLaunchISOROMList, kLaunchISOROM, caption, enabled, ISOROMClick);
}

void frmSysTray::EnableLaunchMenus(bool enabled) {
    for (MenuItem* menu : {&mnuPopupLaunchEmu, &mnuPopupLaunchCDROM, &mnuPopupLaunchISOROM}) menu->setEnabled(enabled);
}
