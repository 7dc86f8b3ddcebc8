// Extraction of one entry: its checks, folders, target, password and data.
#include <algorithm>

#include "files/ZipCodes.h"
#include "files/ZipDecoder.h"
#include "files/ZipDetails.h"
#include "files/ZipNames.h"
#include "files/ZipRun.h"

namespace {
EntryOutcome Problem(int code, const std::string& problem) { return {code, problem, false, false}; }

bool Earlier(const DateTime& a, const DateTime& b) {
    const int left[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
    const int right[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
    return std::lexicographical_compare(std::begin(left), std::end(left), std::begin(right), std::end(right));
}

// Bytes passed on with every LF not preceded by CR turned into CR LF.
class LineEndConverter {
public:
    bool pass(const unsigned char* data, std::size_t count, const DecodedOutput& output) {
        converted_.clear();
        for (std::size_t i = 0; i < count; ++i) {
            if (data[i] == '\n' && previous_ != '\r') converted_.push_back('\r');
            converted_.push_back(data[i]);
            previous_ = data[i];
        }
        return output(converted_.data(), converted_.size());
    }

private:
    std::vector<unsigned char> converted_;
    unsigned char previous_ = 0;
};
}  // namespace

EntryOutcome ZipRun::refusal(const ZipEntry& entry) const {
    std::string reason = entry.utf8Name() ? RefusalOfUtf8Name(entry.storedName) : "";
    if (reason.empty()) reason = RefusalOfName(entry.name);
    if (!reason.empty()) return Problem(ZipCode::kEntrySkipped, reason);
    if (entry.isSymbolicLink()) return Problem(ZipCode::kEntrySkipped, "it is a symbolic link");
    if (entry.strongEncryption()) return Problem(ZipCode::kUnsupported, "its encryption is not supported");
    if (!IsSupportedMethod(entry.method))
        return Problem(ZipCode::kUnsupported, "its compression method " + MethodName(entry) + " is not supported");
    if (entry.size > kEntryCap) return Problem(ZipCode::kEntrySkipped, "it is larger than 256 MiB");
    return {};
}

EntryOutcome ZipRun::makeFolders(const std::vector<std::string>& parts, std::size_t count, std::string& path) {
    path = destination_;
    for (std::size_t i = 0; i < count; ++i) {
        path += "\\" + parts[i];
        if (knownFolders_.count(path) != 0) continue;
        const PathKind kind = files_.kind(path);
        if (kind == PathKind::Link) return Problem(ZipCode::kEntrySkipped, "a folder on its path is a link");
        if (kind == PathKind::Missing && !files_.createFolder(path))
            return Problem(ZipCode::kEntrySkipped, "its folder cannot be created");
        if (kind == PathKind::File || kind == PathKind::Other)
            return Problem(ZipCode::kEntrySkipped, "a file stands where its folder should be");
        knownFolders_.insert(path);
    }
    return {};
}

bool ZipRun::answerReplace(const std::string& target) {
    if (options_.noflag != 0 || replaceAll_) return true;
    if (options_.PromptToOverwrite == 0 || replaceNone_ || !callbacks_.replace) return false;
    std::string path = target;
    const int answer = callbacks_.replace(path.data());
    replaceAll_ = answer == ReplaceAnswer::kAll;
    replaceNone_ = answer == ReplaceAnswer::kNone;
    return answer == ReplaceAnswer::kYes || answer == ReplaceAnswer::kAll;
}

EntryOutcome ZipRun::checkTarget(const std::string& target, bool& keep) {
    keep = false;
    const PathKind kind = files_.kind(target);
    if (kind == PathKind::Link) return Problem(ZipCode::kEntrySkipped, "its target is a link");
    if (kind == PathKind::Folder || kind == PathKind::Other)
        return Problem(ZipCode::kEntrySkipped, "something other than a file stands at its target");
    if (kind == PathKind::File) keep = !answerReplace(target);
    return {};
}

EntryOutcome ZipRun::unlock(IArchiveSource& archive, const ZipEntry& entry,
                            std::unique_ptr<TraditionalCipher>& cipher) {
    unsigned char header[TraditionalCipher::kHeaderSize];
    if (entry.packedSize < sizeof header || !archive.read(entry.dataOffset, header, sizeof header))
        return Problem(ZipCode::kFormat, "its encryption header is missing");
    const unsigned char check = (entry.flags & 0x0008) ? entry.dosTime >> 8 : entry.crc >> 24;
    const auto tryPassword = [&](const std::string& password) {
        cipher = std::make_unique<TraditionalCipher>(password);
        unsigned char copy[sizeof header];
        std::copy(std::begin(header), std::end(header), copy);
        cipher->decrypt(copy, sizeof copy);
        return copy[sizeof copy - 1] == check;
    };
    if (password_ && tryPassword(*password_)) return {};
    std::vector<char> buffer(256, '\0');
    if (!callbacks_.password ||
        callbacks_.password(buffer.data(), static_cast<int>(buffer.size()), "Enter password for: ",
                            entry.name.c_str()) != 0)
        return {ZipCode::kBadPassword, "no password was given", true, false};
    buffer.back() = '\0';
    const std::string password(buffer.data());
    if (!tryPassword(password)) return {ZipCode::kBadPassword, "the password is wrong", true, false};
    password_ = password;
    return {};
}

EntryOutcome ZipRun::writeEntry(IArchiveSource& archive, const ZipEntry& entry, TraditionalCipher* cipher,
                                const std::string& target) {
    std::unique_ptr<IExtractedFile> file;
    if (options_.ntflag == 0) {
        file = files_.createBeside(target);
        if (!file) return Problem(ZipCode::kEntrySkipped, "its file cannot be created");
    }
    const DecodedOutput write = [&](const unsigned char* data, std::size_t count) {
        return !file || file->write(data, count);
    };
    LineEndConverter converter;
    const bool convert = options_.naflag != 0 && entry.isText();
    const DecodeResult result = decoder_.decode(
        archive, entry, cipher, kRunCap - std::min(kRunCap, runWritten_),
        convert ? DecodedOutput([&](const unsigned char* d, std::size_t n) { return converter.pass(d, n, write); })
                : write);
    runWritten_ += result.written;
    if (result.code != 0) {
        const bool passwordSuspect = cipher && result.code == ZipCode::kFormat;
        return {result.code, passwordSuspect ? "the password is wrong or its data are damaged" : result.problem,
                passwordSuspect, false};
    }
    if (file && !file->commit(DosDateTime(entry.dosDate, entry.dosTime)))
        return Problem(ZipCode::kEntrySkipped, "it cannot replace the file at its target");
    return {0, "", false, true};
}

EntryOutcome ZipRun::extractEntry(IArchiveSource& archive, const ZipEntry& entry) {
    std::vector<std::string> parts = SplitEntryName(entry.name);
    if (options_.SpaceToUnderscore != 0)
        for (auto& part : parts) std::replace(part.begin(), part.end(), ' ', '_');
    const bool testOnly = options_.ntflag != 0, folderNames = options_.ndflag != 0;
    std::string path;
    if (entry.isFolder()) return testOnly || !folderNames ? EntryOutcome{} : makeFolders(parts, parts.size(), path);
    if (!testOnly) {
        EntryOutcome folders = makeFolders(parts, folderNames ? parts.size() - 1 : 0, path);
        if (folders.code != 0) return folders;
        path += "\\" + parts.back();
        if (options_.ExtractOnlyNewer != 0 && files_.kind(path) == PathKind::File &&
            !Earlier(files_.lastWriteLocal(path), DosDateTime(entry.dosDate, entry.dosTime)))
            return {};
        bool keep = false;
        EntryOutcome target = checkTarget(path, keep);
        if (target.code != 0 || keep) return target;
    }
    std::unique_ptr<TraditionalCipher> cipher;
    if (entry.encrypted()) {
        EntryOutcome unlocked = unlock(archive, entry, cipher);
        if (unlocked.code != 0) return unlocked;
    }
    EntryOutcome written = writeEntry(archive, entry, cipher.get(), path);
    if (written.code == 0 && options_.fQuiet < 0) report(entry.name, testOnly ? "OK" : "extracted");
    return written;
}
