#include "files/zipextract.h"

#include "files/clsUnzip.h"

namespace {
int ExtractOne(IExtractionFiles& files, const std::string& archive, const std::string& folder, std::ostream& out) {
    clsUnzip unzip(files);
    unzip.Progress = [&](std::int32_t, const std::string& message) { out << message << '\n'; };
    unzip.PromptToOverwrite(false);
    unzip.OverwriteExisting(true);
    unzip.UseFolderNames(true);
    unzip.ZipFile(archive);
    unzip.UnzipFolder(folder);
    unzip.Directory();
    if (unzip.ReturnCode() == 0) unzip.Unzip();
    out << "rc=" << unzip.ReturnCode() << '\n';
    return unzip.ReturnCode();
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
