#pragma once

#include <string>

// Private-profile (INI) file access, with the semantics of the system's
// read-string / read-integer / write-string calls.
class IIniFile {
public:
    virtual ~IIniFile() = default;

    // The value of key in section, or defaultValue when the file, section or
    // key is missing. Quotes around the whole value are removed. A value
    // comes back whole however long (an emulator's path may pass 249
    // characters, which a fixed read buffer used to cut).
    virtual std::string readString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) = 0;

    // The value read as a decimal whole number (leading digits, optional
    // sign), 0 when it does not start with one, defaultValue when missing.
    virtual int readInt(const std::string& file, const std::string& section,
                        const std::string& key, int defaultValue) = 0;

    // Writes key=value, creating the file and section when missing.
    virtual bool writeString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) = 0;

    // Makes sure everything written to the file has reached it.
    virtual bool flush(const std::string& file) = 0;
};
