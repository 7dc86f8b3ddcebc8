#include "app/win32/Win32ExtractionFiles.h"

#include <windows.h>

#include <atomic>

#include "app/win32/Handles.h"
#include "app/win32/WideText.h"

namespace {
class Win32Source : public IArchiveSource {
public:
    Win32Source(UniqueHandle file, std::uint64_t size) : file_(std::move(file)), size_(size) {}
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* buffer, std::size_t count) override {
        auto* bytes = static_cast<char*>(buffer);
        while (count > 0) {
            OVERLAPPED at{};
            at.Offset = static_cast<DWORD>(offset);
            at.OffsetHigh = static_cast<DWORD>(offset >> 32);
            const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
            DWORD got = 0;
            if (!ReadFile(file_.get(), bytes, chunk, &got, &at) || got == 0) return false;
            bytes += got;
            count -= got;
            offset += got;
        }
        return true;
    }

private:
    UniqueHandle file_;
    std::uint64_t size_;
};

class Win32ExtractedFile : public IExtractedFile {
public:
    Win32ExtractedFile(UniqueHandle file, std::wstring temporary, std::wstring target)
        : file_(std::move(file)), temporary_(std::move(temporary)), target_(std::move(target)) {}
    ~Win32ExtractedFile() override {
        if (committed_) return;
        file_.reset();
        DeleteFileW(temporary_.c_str());
    }
    bool write(const void* data, std::size_t count) override {
        DWORD put = 0;
        return WriteFile(file_.get(), data, static_cast<DWORD>(count), &put, nullptr) && put == count;
    }
    bool commit(const DateTime& local) override {
        SYSTEMTIME localTime{static_cast<WORD>(local.year), static_cast<WORD>(local.month), 0,
                             static_cast<WORD>(local.day),  static_cast<WORD>(local.hour),  static_cast<WORD>(local.minute),
                             static_cast<WORD>(local.second), 0};
        SYSTEMTIME utc{};
        FILETIME time{};
        if (!TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utc) || !SystemTimeToFileTime(&utc, &time) ||
            !SetFileTime(file_.get(), nullptr, nullptr, &time))
            return false;
        file_.reset();
        committed_ = MoveFileExW(temporary_.c_str(), target_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        return committed_;
    }

private:
    UniqueHandle file_;
    std::wstring temporary_, target_;
    bool committed_ = false;
};
}  // namespace

std::unique_ptr<IArchiveSource> Win32ExtractionFiles::openArchive(const std::string& path) {
    UniqueHandle file = Own<UniqueHandle>(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return nullptr;
    return std::make_unique<Win32Source>(std::move(file), static_cast<std::uint64_t>(size.QuadPart));
}

PathKind Win32ExtractionFiles::kind(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? PathKind::Other : PathKind::File;
}

DateTime Win32ExtractionFiles::lastWriteLocal(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME utc{}, local{};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToSystemTime(&data.ftLastWriteTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return DateTime{};
    return DateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                    local.wMilliseconds};
}

bool Win32ExtractionFiles::createFolder(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

std::unique_ptr<IExtractedFile> Win32ExtractionFiles::createBeside(const std::string& target) {
    static std::atomic<unsigned> serial{0};
    const std::wstring wideTarget = Widen(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring temporary = wideTarget + L".~cv" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                       std::to_wstring(++serial) + L".tmp";
        UniqueHandle file = Own<UniqueHandle>(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (file) return std::make_unique<Win32ExtractedFile>(std::move(file), temporary, wideTarget);
        if (GetLastError() != ERROR_FILE_EXISTS) return nullptr;
    }
    return nullptr;
}
