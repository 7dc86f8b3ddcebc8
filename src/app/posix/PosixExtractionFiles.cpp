#include "app/posix/PosixExtractionFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>

namespace {
std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return fd_; }
    bool close() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

class PosixSource : public IArchiveSource {
public:
    PosixSource(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) override {
        auto* bytes = static_cast<char*>(buffer);
        while (count > 0) {
            const ssize_t got = ::pread(fd_.get(), bytes, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            bytes += got;
            count -= static_cast<std::size_t>(got);
            offset += static_cast<std::uint64_t>(got);
        }
        return true;
    }

private:
    Descriptor fd_;
    std::uint64_t size_;
};

class PosixExtractedFile : public IExtractedFile {
public:
    PosixExtractedFile(int fd, std::string temporary, std::string target)
        : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}
    ~PosixExtractedFile() override {
        if (!committed_) ::unlink(temporary_.c_str());
    }
    bool write(const void* data, std::size_t count) override {
        const auto* bytes = static_cast<const char*>(data);
        while (count > 0) {
            const ssize_t put = ::write(fd_.get(), bytes, count);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            bytes += put;
            count -= static_cast<std::size_t>(put);
        }
        return true;
    }
    bool commit(const DateTime& local) override {
        std::tm moment{};
        moment.tm_year = local.year - 1900;
        moment.tm_mon = local.month - 1;
        moment.tm_mday = local.day;
        moment.tm_hour = local.hour;
        moment.tm_min = local.minute;
        moment.tm_sec = local.second;
        moment.tm_isdst = -1;
        const std::time_t seconds = std::mktime(&moment);
        // mktime carries 30 February into March; Windows refuses such a
        // date, and so does this.
        if (moment.tm_mday != local.day || moment.tm_mon != local.month - 1) return false;
        const timespec times[2] = {{seconds, 0}, {seconds, 0}};
        if (::futimens(fd_.get(), times) != 0 || !fd_.close()) return false;
        committed_ = ::rename(temporary_.c_str(), target_.c_str()) == 0;
        return committed_;
    }

private:
    Descriptor fd_;
    std::string temporary_, target_;
    bool committed_ = false;
};
}  // namespace

std::unique_ptr<IArchiveSource> PosixExtractionFiles::openArchive(const std::string& path) {
    const int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0) return nullptr;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixSource>(fd, static_cast<std::uint64_t>(info.st_size));
}

PathKind PosixExtractionFiles::kind(const std::string& path) {
    struct stat info {};
    if (::lstat(Native(path).c_str(), &info) != 0) return PathKind::Missing;
    if (S_ISLNK(info.st_mode)) return PathKind::Link;
    if (S_ISDIR(info.st_mode)) return PathKind::Folder;
    return S_ISREG(info.st_mode) ? PathKind::File : PathKind::Other;
}

DateTime PosixExtractionFiles::lastWriteLocal(const std::string& path) {
    struct stat info {};
    std::tm local{};
    if (::lstat(Native(path).c_str(), &info) != 0 || !::localtime_r(&info.st_mtime, &local)) return DateTime{};
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                    local.tm_sec, 0};
}

bool PosixExtractionFiles::createFolder(const std::string& path) {
    return ::mkdir(Native(path).c_str(), 0755) == 0;
}

std::unique_ptr<IExtractedFile> PosixExtractionFiles::createBeside(const std::string& target) {
    static std::atomic<unsigned> serial{0};
    const std::string native = Native(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary =
            native + ".~cv" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) return std::make_unique<PosixExtractedFile>(fd, temporary, native);
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}
