#include "ui/win32/Dpi.h"

#include "app/win32/Handles.h"
#include "app/win32/SystemLibrary.h"

namespace {
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

UINT WindowDpi(HWND window) {
    static const auto perWindow = SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (perWindow) return perWindow(window);
    const WindowDc context(window);
    return context.get() ? static_cast<UINT>(GetDeviceCaps(context.get(), LOGPIXELSY)) : 0;
}
}  // namespace

double DpiScale(HWND window) {
    const UINT dpi = WindowDpi(window);
    return dpi ? dpi / 96.0 : 1.0;
}

LOGFONTW MessageFont(HWND window) {
    static const auto forDpi = SystemFunction<SystemParametersInfoForDpiFunction>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    // Without the per-monitor call the metrics are the system DPI's, which is
    // the only DPI such a Windows gives the window anyway.
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, WindowDpi(window)))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}
