#pragma once

#include <string>
#include <vector>

#include "files/ZipEngine.h"

class clsUnzip;

// A name table as the engine takes it: the names, then one slot holding an
// empty string (the first slot when there are none). No fixed limit.
class UnzipNameTable {
public:
    explicit UnzipNameTable(std::vector<std::string> names);
    int count() const { return static_cast<int>(names_.size()) - 1; }
    char** slots() { return slots_.data(); }

private:
    std::vector<std::string> names_;
    std::vector<char*> slots_;
};

// The one call into the engine: routes its callbacks to the object that
// started the run and returns the engine's code unchanged. One run at a time.
int RunUnzip(clsUnzip& target, IExtractionFiles& files, DCL& options, const std::vector<std::string>& include,
             const std::vector<std::string>& exclude);

// The callbacks, routed to the running object's events. None lets an
// exception out to the engine.
int UnzipPrint(char* text, unsigned long length);
int UnzipReplace(char* path);
int UnzipPassword(char* buffer, int size, const char* prompt, const char* name);
void UnzipMessage(std::uint32_t size, std::uint32_t packedSize, unsigned factor, unsigned month, unsigned day,
                  unsigned year, unsigned hour, unsigned minute, char flag, const char* path, const char* method,
                  std::uint32_t crc, char encrypted);
int UnzipService(const char* name, unsigned long size);
