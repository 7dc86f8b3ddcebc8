#include "ui/win32/frmMainWindow.h"

#include <commctrl.h>
#include <olectl.h>

#include <algorithm>

#include "app/win32/SystemLibrary.h"
#include "app/win32/WideText.h"
#include "ui/win32/frmAddEmuWindow.h"
#include "ui/win32/frmConfigN64RegpathsWindow.h"
#include "ui/win32/frmePSXeConfWindow.h"
#include "ui/win32/frmLoadConfigWindow.h"
#include "ui/win32/frmSaveConfigWindow.h"
#include "ui/win32/frmUpdateWindow.h"

namespace {
// Sizes in units of 96 dots per inch.
constexpr int kMargin = 8, kGap = 6, kRow = 24, kButtonWidth = 80, kCounterHeight = 18;
int PageIndex(MainPage page) { return static_cast<int>(page); }
}

frmMainWindow::frmMainWindow(frmMain& form, const AppFlags& flags)
    : form_(form), flags_(flags), host_(form, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0), tray_(form.sysTray()),
      icons_(host_.scale()) {
    createControls();
    host_.setMenu(form.menuBar());
    host_.addTimer(form.tmrTimer);
    host_.onLayout = [this](int width, int height) { layout(width, height); };
    host_.onFirstShow = [this] { fitWindow(); };
    form.onLowResolution = [this] { fitWindow(); };
    form.onBackgroundChanged = [this] { loadBackground(); };
    host_.onEraseBackground = [this](HDC canvas) { return paintBackground(canvas); };
    host_.onDropFiles = [this](const std::vector<std::string>& paths) { form_.ssTabMain_Drop(paths); };
    host_.acceptDrops();
    form.onPlaceFloat = [this](PluginKind list, int row) { placeFloat(list, row); };
    form.showAddEmu = showModally<frmAddEmuWindow, frmAddEmu>();
    form.showSaveConfig = showModally<frmSaveConfigWindow, frmSaveConfig>();
    form.showLoadConfig = showModally<frmLoadConfigWindow, frmLoadConfig>(icons_.handle());
    form.showEPSXeConf = showModally<frmePSXeConfWindow, frmePSXeConf>();
    form.showUpdate = showModally<frmUpdateWindow, frmUpdate>();
    form.showN64Paths = showModally<frmConfigN64RegpathsWindow, frmConfigN64Regpaths>();
}

void frmMainWindow::fitWindow() {
    // A small screen (or -lowres) gets a window that fits 800 x 600.
    const double scale = host_.scale();
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min(static_cast<int>((flags_.blLowResApplied ? 780 : 900) * scale),
                               static_cast<int>(work.right - work.left));
    const int height = std::min(static_cast<int>((flags_.blLowResApplied ? 550 : 680) * scale),
                                static_cast<int>(work.bottom - work.top));
    SetWindowPos(host_.window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMainWindow::loadBackground() {
    // The background picture found at start-up (bmp, jpg or gif).
    background_.reset();
    if (!form_.backgroundPicture().empty()) {
        std::wstring path = Widen(form_.backgroundPicture());
        if (!com_) com_.emplace();
        using LoadPicture = HRESULT(WINAPI*)(LPOLESTR, LPUNKNOWN, DWORD, OLE_COLOR, REFIID, LPVOID*);
        const auto load = SystemFunction<LoadPicture>(L"oleaut32.dll", "OleLoadPicturePath");
        IPicture* picture = nullptr;
        if (load && SUCCEEDED(load(path.data(), nullptr, 0, 0, IID_IPicture, reinterpret_cast<void**>(&picture))))
            background_.reset(picture);
    }
    InvalidateRect(host_.window(), nullptr, TRUE);
}

bool frmMainWindow::paintBackground(HDC canvas) {
    if (!background_) return false;
    // Drawn at its own size from the top left corner, the rest in the
    // dialog colour.
    RECT client;
    GetClientRect(host_.window(), &client);
    FillRect(canvas, &client, GetSysColorBrush(COLOR_BTNFACE));
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    background_->get_Width(&width);
    background_->get_Height(&height);
    const int dpi = static_cast<int>(host_.scale() * 96);
    background_->Render(canvas, 0, 0, MulDiv(width, dpi, 2540), MulDiv(height, dpi, 2540), 0, height, width, -height,
                        nullptr);
    return true;
}

void frmMainWindow::createControls() {
    WindowPeer& tabs = host_.add(form_.ssTabMain);
    tabs.onShown = [this](Change what) {
        if (what == Change::Selection) showPage();
    };
    host_.add(form_.lblEmuSelect);
    host_.add(form_.cmbEmuSelect);
    host_.add(form_.cmdApply);
    host_.add(form_.cmdLaunchEmu);
    host_.add(form_.lblPluginName);
    pages_.assign(4, {});
    for (int i = 0; i < kPluginKinds; ++i) {
        auto& page = pages_[PageIndex(PageOf(SystemOf(KindAt(i))))];
        page.push_back(&host_.add(form_.lstPluginList[i]));
        page.push_back(&host_.add(form_.lblPluginCount[i]));
    }
    auto& configuration = pages_[PageIndex(MainPage::Configuration)];
    for (Button* button : {&form_.cmdAddEmu, &form_.cmdEditEmu, &form_.cmdRemoveEmu})
        configuration.push_back(&host_.add(*button));
    configuration.push_back(&host_.add(form_.lstEmulators));
    for (auto& option : form_.chkSettings) configuration.push_back(&host_.add(option));
    configuration.push_back(&host_.add(form_.lblInterval));
    configuration.push_back(&host_.add(form_.txtSettings));
    configuration.push_back(&host_.add(form_.lblCDROM));
    configuration.push_back(&host_.add(form_.cmbCDROM));
    configuration.push_back(&host_.add(form_.lblTransparency));
    configuration.push_back(&host_.add(form_.sldTransparency));
    configuration.push_back(&host_.add(form_.lblServiceAddress));
    configuration.push_back(&host_.add(form_.txtServiceAddress));
    pages_[PageIndex(MainPage::About)].push_back(&host_.add(form_.lblAbout));
    pages_[PageIndex(MainPage::About)].push_back(&host_.add(form_.lblThanks));
    pages_[PageIndex(MainPage::About)].push_back(&host_.add(form_.cmdUpdateService));
    for (Button* button : {&form_.cmdConfig, &form_.cmdTest, &form_.cmdAbout, &form_.cmdExit}) host_.add(*button);
    host_.add(form_.lblStatus);
    host_.add(form_.txtFloat);
    SendMessageW(host_.windowOf(form_.lstEmulators), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(icons_.handle()));
    for (ListView& list : form_.lstPluginList)
        SendMessageW(host_.windowOf(list), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.handle()));
    showPage();
}

void frmMainWindow::placeFloat(PluginKind kind, int row) {
    // Over the row's "FileName" cell, the list's last column.
    const ListView& model = form_.lstPluginList[ListIndex(kind)];
    HWND list = host_.windowOf(form_.lstPluginList[ListIndex(kind)]);
    RECT cell{};
    cell.top = static_cast<LONG>(model.columns().size()) - 1;
    cell.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    MapWindowPoints(list, host_.window(), reinterpret_cast<POINT*>(&cell), 2);
    SetWindowPos(host_.windowOf(form_.txtFloat), HWND_TOP, cell.left + 1, cell.top - 2, cell.right - cell.left,
                 cell.bottom - cell.top + 4, SWP_SHOWWINDOW);
}

void frmMainWindow::showPage() {
    const int selected = form_.ssTabMain.selectedIndex();
    for (int page = 0; page < static_cast<int>(pages_.size()); ++page)
        for (WindowPeer* peer : pages_[page]) peer->setPageShown(page == selected);
    // The tab control paints beneath the page's controls: repaint them all.
    RedrawWindow(host_.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void frmMainWindow::layout(int width, int height) {
    host_.place(form_.lblEmuSelect, kMargin, kMargin + 4, 60, 20);
    host_.place(form_.cmbEmuSelect, kMargin + 64, kMargin, 280, 200);
    host_.place(form_.cmdApply, kMargin + 64 + 280 + kGap, kMargin, kButtonWidth, kRow);
    constexpr int kLaunchWidth = 190;
    const int launchLeft = kMargin + 64 + 280 + 2 * kGap + kButtonWidth;
    host_.place(form_.cmdLaunchEmu, launchLeft, kMargin, kLaunchWidth, kRow);
    const int nameLeft = launchLeft + kLaunchWidth + 2 * kGap;
    host_.place(form_.lblPluginName, nameLeft, kMargin + 4, std::max(0, width - nameLeft - kMargin), 20);
    const int tabTop = kMargin + kRow + kGap;
    const int bottomRow = height - kMargin - kRow;
    host_.place(form_.ssTabMain, kMargin, tabTop, width - 2 * kMargin, bottomRow - kGap - tabTop);
    // The plug-in commands and the status line below the pages.
    constexpr int kCommandWidth = 130;
    Button* commands[] = {&form_.cmdConfig, &form_.cmdTest, &form_.cmdAbout};
    for (int i = 0; i < 3; ++i) host_.place(*commands[i], kMargin + i * (kCommandWidth + kGap), bottomRow, kCommandWidth, kRow);
    host_.place(form_.cmdExit, width - kMargin - kButtonWidth, bottomRow, kButtonWidth, kRow);
    const int statusLeft = kMargin + 3 * (kCommandWidth + kGap) + kGap;
    host_.place(form_.lblStatus, statusLeft, bottomRow + 4, width - statusLeft - 2 * kMargin - kButtonWidth, 18);

    // The page area: the tab control's display rectangle, back in 96-dpi units.
    RECT area;
    GetClientRect(host_.windowOf(form_.ssTabMain), &area);
    TabCtrl_AdjustRect(host_.windowOf(form_.ssTabMain), FALSE, &area);
    const double scale = host_.scale();
    const int x = kMargin + static_cast<int>(area.left / scale) + kGap;
    const int y = tabTop + static_cast<int>(area.top / scale) + kGap;
    const int pageWidth = static_cast<int>((area.right - area.left) / scale) - 2 * kGap;
    const int pageHeight = static_cast<int>((area.bottom - area.top) / scale) - 2 * kGap;

    layoutPluginPage(EmuSystem::PSX, x, y, pageWidth, pageHeight);
    layoutPluginPage(EmuSystem::N64, x, y, pageWidth, pageHeight);
    layoutConfigurationPage(x, y, pageWidth, pageHeight);
    host_.place(form_.lblAbout, x, y, pageWidth, 60);
    host_.place(form_.lblThanks, x, y + 72, pageWidth, pageHeight - 72 - kRow - kGap);
    host_.place(form_.cmdUpdateService, x, y + pageHeight - kRow, 220, kRow);
}

void frmMainWindow::layoutPluginPage(EmuSystem system, int x, int y, int width, int height) {
    // Four lists in two rows of two, each with its counter below it.
    const int cellWidth = (width - kGap) / 2;
    const int cellHeight = (height - kGap) / 2;
    for (PluginKind kind : KindsOf(system)) {
        const int place = PlaceInSystem(kind);
        const int cellX = x + (place % 2) * (cellWidth + kGap);
        const int cellY = y + (place / 2) * (cellHeight + kGap);
        host_.place(form_.lstPluginList[ListIndex(kind)], cellX, cellY, cellWidth, cellHeight - kCounterHeight);
        host_.place(form_.lblPluginCount[ListIndex(kind)], cellX, cellY + cellHeight - kCounterHeight + 2, cellWidth,
                    kCounterHeight - 2);
    }
}

void frmMainWindow::layoutConfigurationPage(int x, int y, int width, int height) {
    // The emulator list across the top with its buttons at the right; the
    // options below at the left, the other settings below at the right.
    const int listHeight = std::max(90, height * 2 / 5);
    const int listWidth = width - kButtonWidth - kGap;
    host_.place(form_.lstEmulators, x, y, listWidth, listHeight);
    Button* buttons[] = {&form_.cmdAddEmu, &form_.cmdEditEmu, &form_.cmdRemoveEmu};
    for (int i = 0; i < 3; ++i) host_.place(*buttons[i], x + listWidth + kGap, y + i * (kRow + 4), kButtonWidth, kRow);

    const int top = y + listHeight + 2 * kGap;
    const int settingsWidth = 220;
    const int optionsWidth = width - settingsWidth - 2 * kGap;
    for (int i = 0; i < 9; ++i) host_.place(form_.chkSettings[i], x, top + i * 22, optionsWidth, 20);
    const int right = x + optionsWidth + 2 * kGap;
    host_.place(form_.lblInterval, right, top + 3, settingsWidth - 56, 20);
    host_.place(form_.txtSettings, right + settingsWidth - 50, top, 50, 22);
    host_.place(form_.lblCDROM, right, top + 40, 90, 20);
    host_.place(form_.cmbCDROM, right + 96, top + 36, settingsWidth - 96, 200);
    host_.place(form_.lblTransparency, right, top + 76, settingsWidth, 20);
    host_.place(form_.sldTransparency, right, top + 96, settingsWidth, 30);
    host_.place(form_.lblServiceAddress, right, top + 134, settingsWidth, 20);
    host_.place(form_.txtServiceAddress, right, top + 154, settingsWidth, 22);
}
