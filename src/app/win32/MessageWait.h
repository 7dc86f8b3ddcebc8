#pragma once

#include <windows.h>

// Waits until the object is signalled while the calling thread's window
// messages keep running: windows paint, timers fire, menus and dialogs
// answer. A request to quit that arrives meanwhile is passed on afterwards.
void WaitDispatching(HANDLE object);
// The same for the time at most, and without an object (null) for just that
// time; true when the object was signalled.
bool WaitDispatching(HANDLE object, DWORD milliseconds);
