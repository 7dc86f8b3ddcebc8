#include "app/win32/ComApartment.h"

#include <windows.h>
#include <objbase.h>

#include "app/win32/SystemLibrary.h"

namespace {
using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
using Uninitialize = void(WINAPI*)();
using FreeMemory = void(WINAPI*)(LPVOID);
}  // namespace

ComApartment::ComApartment() {
    const auto initialize = SystemFunction<Initialize>(L"ole32.dll", "CoInitializeEx");
    initialised_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
}

ComApartment::~ComApartment() {
    if (!initialised_) return;
    if (const auto uninitialize = SystemFunction<Uninitialize>(L"ole32.dll", "CoUninitialize")) uninitialize();
}

void ComApartment::freeMemory(void* memory) {
    if (const auto free = SystemFunction<FreeMemory>(L"ole32.dll", "CoTaskMemFree")) free(memory);
}
