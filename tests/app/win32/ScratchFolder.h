#pragma once

#include <windows.h>

#include <string>

#include "app/win32/Win32FileSystem.h"

// A fresh folder below the temporary folder, its path ending in a
// backslash, removed with all it holds afterwards.
struct ScratchFolder {
    ScratchFolder() { files.createDirectory(path); }
    ~ScratchFolder() {
        files.setCurrentDirectory(files.tempFolder());
        files.shellFileOperation(ShellOperation::Delete, path.substr(0, path.size() - 1), "",
                                 ShellFlags::kSilent | ShellFlags::kNoConfirmation | ShellFlags::kNoErrorUi, "", 0);
    }

    static inline int serial = 0;
    Win32FileSystem files;
    const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    const std::string path = files.tempFolder() + "corvane-test-" + unique + "\\";
};
