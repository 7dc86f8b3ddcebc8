#pragma once

#include <cstdint>

#include "app/ExtractionFiles.h"

// The engine's calling interface, laid out as Info-ZIP's UnZip DLL lays out
// its records: on the 32-bit build the option record is 68 bytes and the
// callback record 44. Strings are UTF-8.

// The option record: fifteen 32-bit integers, then two strings.
struct DCL {
    std::int32_t ExtractOnlyNewer;
    std::int32_t SpaceToUnderscore;
    std::int32_t PromptToOverwrite;
    std::int32_t fQuiet;      // message level: below 0 also one line per extracted entry
    std::int32_t ncflag;      // write to standard output: not supported, must be 0
    std::int32_t ntflag;      // test only: decode and check, write nothing
    std::int32_t nvflag;      // list only: one message callback per entry
    std::int32_t nfflag;      // freshen: not supported, must be 0
    std::int32_t nzflag;      // show the comment: ignored
    std::int32_t ndflag;      // use the entries' folder names
    std::int32_t noflag;      // overwrite existing files without asking
    std::int32_t naflag;      // text entries: LF not preceded by CR becomes CR LF
    std::int32_t nZIflag;     // verbose listing: ignored
    std::int32_t C_flag;      // include and exclude names ignore letter case unless set
    std::int32_t fPrivilege;  // ignored
    char* lpszZipFN;
    char* lpszExtractDir;
};

// The callbacks. print gets one message (for a refused entry "<name>:
// <reason>"); replace gets an existing target's path and answers with a
// ReplaceAnswer; password fills the buffer and returns 0, or returns 1 to
// give up; message gets one listed entry; service gets each entry before
// it is handled, with the name's length, and returns 1 to stop the run.
using DLLPRNT = int (*)(char* text, unsigned long length);
using DLLSND = void (*)();
using DLLREPLACE = int (*)(char* path);
using DLLPASSWORD = int (*)(char* buffer, int size, const char* prompt, const char* name);
using DLLMESSAGE = void (*)(std::uint32_t size, std::uint32_t packedSize, unsigned factor, unsigned month,
                            unsigned day, unsigned year, unsigned hour, unsigned minute, char flag,
                            const char* path, const char* method, std::uint32_t crc, char encrypted);
using DLLSERVICE = int (*)(const char* name, unsigned long size);

struct USERFUNCTIONS {
    DLLPRNT print;
    DLLSND sound;
    DLLREPLACE replace;
    DLLPASSWORD password;
    DLLMESSAGE SendApplicationMessage;
    DLLSERVICE ServCallBk;
    std::uint32_t TotalSizeComp;  // filled in by a run: packed and unpacked totals,
    std::uint32_t TotalSize;      // their compression factor, the entry count and
    std::uint32_t CompFactor;     // the archive comment's length
    std::uint32_t NumMembers;
    std::uint32_t cchComment;
};

// Answers of the replace callback. Anything else keeps the file.
namespace ReplaceAnswer {
constexpr int kNo = 100;    // keep the existing file
constexpr int kYes = 102;   // replace it
constexpr int kAll = 103;   // replace it and every later one without asking
constexpr int kNone = 104;  // keep it and every later one without asking
}  // namespace ReplaceAnswer

// One run: lists (nvflag 1) or extracts the archive's entries named in the
// include table (all when ifnc is 0) and not in the exclude table. Returns
// a ZipCode.
int Wiz_SingleEntryUnzip(IExtractionFiles& files, int ifnc, char** ifnv, int xfnc, char** xfnv, DCL* options,
                         USERFUNCTIONS* callbacks);
