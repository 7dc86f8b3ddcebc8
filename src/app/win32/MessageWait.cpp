#include "app/win32/MessageWait.h"

void WaitDispatching(HANDLE object) {
    bool quitAsked = false;
    int quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quitAsked = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The loop that asked to end gets its answer once the wait is over.
    if (quitAsked) PostQuitMessage(quitCode);
}
