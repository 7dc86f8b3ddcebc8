#include "files/ZipEngine.h"

#include "files/ZipCodes.h"
#include "files/ZipRun.h"

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
