#pragma once

#include "app/IniFile.h"

class Win32IniFile : public IIniFile {
public:
    std::string readString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    int readInt(const std::string& file, const std::string& section, const std::string& key,
                int defaultValue) override;
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool flush(const std::string& file) override;
};
