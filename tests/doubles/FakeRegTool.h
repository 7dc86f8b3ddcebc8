#pragma once

#include "doubles/FakeFileSystem.h"
#include "doubles/FakeProcesses.h"
#include "doubles/FakeRegistry.h"

// Plays the system's reg.exe over a fake registry and file system:
// "export KEY FILE /y" writes the key's string and number values as a
// UTF-16 .reg file (exit code 1 for a missing key), "import FILE" reads
// such a file back.
void InstallFakeRegTool(FakeProcesses& processes, FakeRegistry& registry, FakeFileSystem& files);
