#include "files/ZipEngine.h"

#include "files/ZipCodes.h"
#include "files/ZipRun.h"

int RunZipEngine(IExtractionFiles& files, const std::string& archive, const std::string& folder, bool testOnly,
                 const ZipReport& report) {
    try {
        ZipRun run(files, folder, testOnly, report);
        return run.run(archive);
    } catch (const std::bad_alloc&) {
        return ZipCode::kNoMemory;
    } catch (const std::exception&) {
        return ZipCode::kSevereFormat;
    }
}
