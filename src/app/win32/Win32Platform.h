#pragma once

#include "app/Services.h"
#include "app/win32/Win32Clock.h"
#include "app/win32/Win32Digests.h"
#include "app/win32/Win32Downloads.h"
#include "app/win32/Win32Drives.h"
#include "app/win32/Win32Environment.h"
#include "app/win32/Win32ExtractionFiles.h"
#include "app/win32/Win32FileSystem.h"
#include "app/win32/Win32IniFile.h"
#include "app/win32/Win32Libraries.h"
#include "app/win32/Win32NotifyIcon.h"
#include "app/win32/Win32Processes.h"
#include "app/win32/Win32Registry.h"
#include "app/win32/Win32WindowServices.h"

// Every platform service on Win32, and the bundle the program hands around.
struct Win32Platform {
    Win32IniFile ini;
    Win32Registry registry;
    Win32FileSystem files;
    Win32WindowServices windows;
    Win32Clock clock;
    Win32Drives drives;
    Win32Environment environment;
    Win32Libraries libraries;
    Win32Processes processes;
    Win32Downloads downloads;
    Win32ExtractionFiles extraction;
    Win32NotifyIcon tray;
    Win32Digests digests;
    Services services{ini, registry, files, windows, clock, drives, environment, libraries, processes, downloads,
                      extraction, tray, digests};
};
