#pragma once

#include <functional>
#include <string>

#include "app/ExtractionFiles.h"

// Hears each entry a run refused, as "<name>: <reason>" ("\" between
// folders).
using ZipReport = std::function<void(const std::string& line)>;

// One run of the engine over one archive: every entry is extracted below
// the folder, its folders kept and an existing file replaced; with testOnly
// every entry is read and checked and nothing is written. Returns a
// ZipCode: the most severe one any entry gave.
int RunZipEngine(IExtractionFiles& files, const std::string& archive, const std::string& folder, bool testOnly,
                 const ZipReport& report);
