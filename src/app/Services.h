#pragma once

#include "app/Clock.h"
#include "app/Digests.h"
#include "app/Downloads.h"
#include "app/Drives.h"
#include "app/Environment.h"
#include "app/ExtractionFiles.h"
#include "app/FileSystem.h"
#include "app/IniFile.h"
#include "app/Libraries.h"
#include "app/NotifyIcon.h"
#include "app/Processes.h"
#include "app/Registry.h"
#include "app/WindowServices.h"

// The platform services a form or command works with, handed around as one.
struct Services {
    IIniFile& ini;
    IRegistry& registry;
    IFileSystem& files;
    IWindowServices& windows;
    IClock& clock;
    IDrives& drives;
    IEnvironment& environment;
    ILibraries& libraries;
    IProcesses& processes;
    IDownloads& downloads;
    IExtractionFiles& extraction;
    INotifyIcon& tray;
    IDigests& digests;
};
