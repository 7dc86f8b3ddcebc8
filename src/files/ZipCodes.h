#pragma once

// Return codes of an extraction run, as Info-ZIP's unzip documents them. A
// run returns the most severe code any entry gave (see ZipRunResult).
namespace ZipCode {
constexpr int kOk = 0;
constexpr int kEntrySkipped = 1;     // an entry was refused or could not be created
constexpr int kFormat = 2;           // an entry's data lies: CRC, sizes, stream, overlap, local header
constexpr int kSevereFormat = 3;     // the central directory is broken
constexpr int kNoMemory = 4;         // memory ran out
constexpr int kArchiveNotFound = 9;  // no archive, or no end-of-central-directory record in it
constexpr int kBadOptions = 10;      // no archive path, or no destination when extracting
constexpr int kNoMatch = 11;         // include names matched no entry
constexpr int kWriteFailed = 50;     // a file could not be written (disk full and the like)
constexpr int kArchiveEnds = 51;     // the archive ends inside an entry's data
constexpr int kAborted = 80;         // the service callback asked to stop
constexpr int kUnsupported = 81;     // a compression method or encryption this engine lacks
constexpr int kBadPassword = 82;     // encrypted entries without the right password, and nothing else done
}  // namespace ZipCode
