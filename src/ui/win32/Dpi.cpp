#include "ui/win32/Dpi.h"

#include "app/win32/Handles.h"

namespace {
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// An export of user32, or null where this Windows lacks it.
template <typename Function>
Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

UINT WindowDpi(HWND window) {
    static const auto perWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
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
    static const auto forDpi = User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    // Without the per-monitor call the metrics are the system DPI's, which is
    // the only DPI such a Windows gives the window anyway.
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, WindowDpi(window)))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}
