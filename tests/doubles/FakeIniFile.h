#pragma once

#include "app/IniFile.h"
#include "doubles/FakeFileSystem.h"

// INI access over the files of a FakeFileSystem, so that tests see the
// text a user would find in the file. Follows the system's rules: section
// and key names ignore letter case, blanks around names and values are
// dropped, quotes around a whole value are removed, reads are cut to the
// read buffer, new keys go to the end of their section.
class FakeIniFile : public IIniFile {
public:
    explicit FakeIniFile(FakeFileSystem& files) : files_(files) {}

    std::string readString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    int readInt(const std::string& file, const std::string& section, const std::string& key,
                int defaultValue) override;
    bool writeString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool flush(const std::string&) override { return true; }

private:
    FakeFileSystem& files_;
};
