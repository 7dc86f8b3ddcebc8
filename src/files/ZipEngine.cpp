#include "files/ZipEngine.h"

#include "files/ZipCodes.h"
#include "files/ZipRun.h"

#include <zlib.h>

#include <cstring>

namespace {
// The names of a table that ends at its count or at its first slot holding
// an empty string.
std::vector<std::string> Names(int count, char** table) {
    std::vector<std::string> names;
    for (int i = 0; table && i < count && table[i] && table[i][0] != '\0'; ++i) names.emplace_back(table[i]);
    return names;
}
}  // namespace

int Wiz_SingleEntryUnzip(IExtractionFiles& files, int ifnc, char** ifnv, int xfnc, char** xfnv, DCL* options,
                         USERFUNCTIONS* callbacks) {
    if (!options || !callbacks) return ZipCode::kBadOptions;
    try {
        ZipRun run(files, *options, *callbacks, Names(ifnc, ifnv), Names(xfnc, xfnv));
        return run.run();
    } catch (const std::bad_alloc&) {
        return ZipCode::kNoMemory;
    } catch (const std::exception&) {
        return ZipCode::kSevereFormat;
    }
}

void UzpVersion2(UzpVer2* version) {
    if (!version || version->structlen < sizeof(UzpVer2)) return;
    std::memset(version->betalevel, 0, sizeof version->betalevel);  // a release, no beta level
    std::strncpy(version->date, "7 Dec 2026", sizeof version->date - 1);
    std::strncpy(version->zlibVersionText, ZLIB_VERSION, sizeof version->zlibVersionText - 1);
    const unsigned char engine[4] = {kEngineMajor, kEngineMinor, kEngineRevision, 0};
    for (unsigned char* group : {version->unzip, version->zipinfo, version->os2dll, version->windll})
        std::memcpy(group, engine, sizeof engine);
}
