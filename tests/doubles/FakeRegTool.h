#pragma once

#include "doubles/FakeFileSystem.h"
#include "doubles/FakeProcesses.h"
#include "doubles/FakeRegistry.h"

// Plays the system's reg.exe over a fake registry and file system:
// "export KEY FILE /y" writes the key's string and number values as a
// UTF-16 .reg file (exit code 1 for a missing key), "import FILE" reads
// a .reg file back as the system's tool does: writes anywhere below
// HKEY_CURRENT_USER (either spelling), key and value deletions, lines ended
// by a lone CR too.
void InstallFakeRegTool(FakeProcesses& processes, FakeRegistry& registry, FakeFileSystem& files);
