#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/Clock.h"

// What stands at a path, seen without following a link: a symbolic link,
// junction or other reparse point is a Link whatever it points to.
enum class PathKind { Missing, File, Folder, Link, Other };

// An archive opened for reading at any offset.
class IArchiveSource {
public:
    virtual ~IArchiveSource() = default;
    virtual std::uint64_t size() const = 0;
    // Reads exactly count bytes at offset; false when the file ends first or
    // the read fails.
    virtual bool read(std::uint64_t offset, void* buffer, std::size_t count) = 0;
};

// A fresh temporary file beside its target. Dropping it without commit
// removes the temporary file and leaves the target as it was.
class IExtractedFile {
public:
    virtual ~IExtractedFile() = default;
    virtual bool write(const void* data, std::size_t count) = 0;
    // Closes the file with its last-write time set from the local wall-clock
    // time given, then moves it over the target in one step.
    virtual bool commit(const DateTime& lastWriteLocal) = 0;
};

// The file calls of an extraction. Paths are UTF-8 with "\" as separator.
class IExtractionFiles {
public:
    virtual ~IExtractionFiles() = default;

    // Nullptr when the archive cannot be opened.
    virtual std::unique_ptr<IArchiveSource> openArchive(const std::string& path) = 0;
    virtual PathKind kind(const std::string& path) = 0;
    // The last-write time of an existing plain file as local wall-clock time.
    virtual DateTime lastWriteLocal(const std::string& path) = 0;
    // Creates one folder whose parent exists; false when anything already
    // stands at the path or the creation fails.
    virtual bool createFolder(const std::string& path) = 0;
    // A new temporary file in the target's folder (never an existing file
    // and never through a link); nullptr when it cannot be created.
    virtual std::unique_ptr<IExtractedFile> createBeside(const std::string& target) = 0;
};
