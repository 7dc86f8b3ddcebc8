#include "files/zipextract.h"

#include "files/ArchiveImport.h"

namespace {
int ExtractOne(IExtractionFiles& files, const std::string& archive, const std::string& folder, std::ostream& out) {
    const ArchiveResult result = ExtractArchive(files, archive, folder);
    for (const auto& line : result.refused) out << line << '\n';
    out << "rc=" << result.code << '\n';
    return result.code;
}
}  // namespace

int RunZipExtract(IExtractionFiles& files, const std::vector<std::string>& arguments, std::ostream& out) {
    if (arguments.empty() || arguments.size() % 2 != 0) {
        out << "usage: zipextract ARCHIVE FOLDER [ARCHIVE FOLDER ...]\n";
        return 2;
    }
    int exitCode = 0;
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        const int code = ExtractOne(files, arguments[i], arguments[i + 1], out);
        if (code != 0) exitCode = code;
    }
    out.flush();
    return exitCode;
}
