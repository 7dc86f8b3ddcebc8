#include "doubles/FakeExtractionFiles.h"

#include <cstring>

#include "app/Helpers.h"
#include "app/WholeFile.h"

namespace {
class StringSource : public IArchiveSource {
public:
    explicit StringSource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
        std::memcpy(buffer, bytes_.data() + offset, count);
        return true;
    }

private:
    std::string bytes_;
};

// Days from 1 January 1601 to the date.
std::int64_t DaysSince1601(const DateTime& date) {
    const int y = date.month <= 2 ? date.year - 1 : date.year;
    const int era = y / 400, yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 584694;  // 584694: 1601-01-01 from 0000-03-01
}

// As the system's conversion to a file time, a date that does not exist
// (30 February, hour 24) is refused.
bool Exists(const DateTime& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month) &&
           date.hour >= 0 && date.hour < 24 && date.minute >= 0 && date.minute < 60 && date.second >= 0 &&
           date.second < 60;
}

// The fake keeps local time as the stored time.
FileTime ToFileTime(const DateTime& date) {
    const std::int64_t seconds =
        DaysSince1601(date) * 86400 + date.hour * 3600 + date.minute * 60 + date.second;
    return static_cast<FileTime>(seconds) * 10000000ull;
}
}  // namespace

class FakeExtractedFile : public IExtractedFile {
public:
    FakeExtractedFile(FakeExtractionFiles& owner, std::string temporary, std::string target)
        : owner_(owner), temporary_(std::move(temporary)), target_(std::move(target)) {}
    ~FakeExtractedFile() override {
        if (!committed_) owner_.files_.deleteFile(temporary_);
    }
    bool write(const void* data, std::size_t count) override {
        if (owner_.failNextWrite_) {
            owner_.failNextWrite_ = false;
            return false;
        }
        return owner_.files_.appendToFile(temporary_, std::string(static_cast<const char*>(data), count));
    }
    bool commit(const DateTime& lastWriteLocal) override {
        if (!Exists(lastWriteLocal)) return false;
        const std::string bytes = owner_.files_.contents(temporary_);
        if (!owner_.files_.replaceFile(temporary_, target_)) return false;
        owner_.files_.addFile(target_, bytes, ToFileTime(lastWriteLocal));
        committed_ = true;
        return true;
    }

private:
    FakeExtractionFiles& owner_;
    std::string temporary_, target_;
    bool committed_ = false;
};

void FakeExtractionFiles::addLink(const std::string& path) {
    files_.addFile(path);
    links_.insert(LowerCase(path));
}

std::unique_ptr<IArchiveSource> FakeExtractionFiles::openArchive(const std::string& path) {
    const auto bytes = files_.isDirectory(path) ? std::nullopt : files_.readFile(path, kWholeFile);
    if (!bytes) return nullptr;
    return std::make_unique<StringSource>(*bytes);
}

PathKind FakeExtractionFiles::kind(const std::string& path) {
    if (links_.count(LowerCase(path))) return PathKind::Link;
    if (!files_.exists(path)) return PathKind::Missing;
    return files_.isDirectory(path) ? PathKind::Folder : PathKind::File;
}

DateTime FakeExtractionFiles::lastWriteLocal(const std::string& path) {
    for (const auto& entry : files_.find(path))
        if (const auto date = FileTimeToDate(entry.lastWriteTime)) return *date;
    return DateTime{};
}

bool FakeExtractionFiles::createFolder(const std::string& path) {
    return !files_.exists(path) && files_.createDirectory(path);
}

std::unique_ptr<IExtractedFile> FakeExtractionFiles::createBeside(const std::string& target) {
    if (!files_.isDirectory(ParsePath(target))) return nullptr;
    std::string temporary;
    do temporary = target + ".~cv" + std::to_string(++serial_) + ".tmp";
    while (files_.exists(temporary));
    if (!files_.appendToFile(temporary, "")) return nullptr;
    return std::make_unique<FakeExtractedFile>(*this, temporary, target);
}
