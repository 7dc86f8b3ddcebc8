#pragma once

// Every platform service as its test double, and the record that hands them
// around as one.

#include "app/Services.h"

#include "doubles/FakeClock.h"
#include "doubles/FakeDigests.h"
#include "doubles/FakeDownloads.h"
#include "doubles/FakeDrives.h"
#include "doubles/FakeEnvironment.h"
#include "doubles/FakeExtractionFiles.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/FakeIniFile.h"
#include "doubles/FakeLibraries.h"
#include "doubles/FakeNotifyIcon.h"
#include "doubles/FakeProcesses.h"
#include "doubles/FakeRegistry.h"
#include "doubles/FakeWindowServices.h"

struct FakeServices {
    FakeFileSystem files;
    FakeIniFile ini{files};
    FakeRegistry registry;
    FakeWindowServices windows;
    FakeClock clock;
    FakeDrives drives;
    FakeEnvironment environment;
    FakeLibraries libraries;
    FakeProcesses processes;
    FakeDownloads downloads{files};
    FakeExtractionFiles extraction{files};
    FakeNotifyIcon tray;
    FakeDigests digests;
    Services services{ini, registry, files, windows, clock, drives, environment, libraries, processes, downloads,
                      extraction, tray, digests};
};
