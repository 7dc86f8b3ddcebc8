#pragma once

#include <string>

// A path of the build machine as the Windows side sees it under Wine, on its
// Z: drive.
inline std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (auto& c : path)
        if (c == '/') c = '\\';
    return path;
}
