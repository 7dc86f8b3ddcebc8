#pragma once

#include <cstdint>

// Opaque handle of a window, as the window services and forms hand it out;
// 0 means no window.
using WindowHandle = std::uintptr_t;
