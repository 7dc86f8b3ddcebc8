#include "app/win32/MessageWait.h"

#include <optional>

void WaitDispatching(HANDLE object) { WaitDispatching(object, INFINITE); }

bool WaitDispatching(HANDLE object, DWORD milliseconds) {
    const DWORD objects = object ? 1 : 0;
    const DWORD messagesCame = WAIT_OBJECT_0 + objects;
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    std::optional<int> quitCode;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = milliseconds == INFINITE ? INFINITE : now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const DWORD woken = MsgWaitForMultipleObjects(objects, &object, FALSE, left, QS_ALLINPUT);
        if (woken != messagesCame) {
            // The loop that asked to end gets its answer once the wait is over.
            if (quitCode) PostQuitMessage(*quitCode);
            return objects && woken == WAIT_OBJECT_0;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}
