#include "app/win32/Win32FileSystem.h"

#include <windows.h>
#include <shellapi.h>

#include "app/win32/Handles.h"
#include "app/win32/WideText.h"

namespace {
FileTime ToFileTime(const FILETIME& time) {
    return static_cast<FileTime>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

bool IsDotEntry(const wchar_t* name) { return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0; }

FileEntry ToEntry(const WIN32_FIND_DATAW& data) {
    FileEntry entry;
    entry.name = Narrow(data.cFileName);
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    entry.creationTime = ToFileTime(data.ftCreationTime);
    entry.lastWriteTime = ToFileTime(data.ftLastWriteTime);
    return entry;
}

// The shell takes lists of paths, each ended by NUL, the list by one more.
std::wstring PathList(const std::string& path) { return Widen(path) + L'\0'; }
}  // namespace

std::vector<FileEntry> Win32FileSystem::find(const std::string& pattern) {
    std::vector<FileEntry> entries;
    WIN32_FIND_DATAW data;
    const UniqueFind search = Own<UniqueFind>(FindFirstFileW(Widen(pattern).c_str(), &data));
    if (!search) return entries;
    do {
        if (!IsDotEntry(data.cFileName)) entries.push_back(ToEntry(data));
    } while (FindNextFileW(search.get(), &data));
    return entries;
}

bool Win32FileSystem::anyMatch(const std::string& pattern) {
    WIN32_FIND_DATAW data;
    return Own<UniqueFind>(FindFirstFileW(Widen(pattern).c_str(), &data)) != nullptr;
}

bool Win32FileSystem::isDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryW(Widen(path).c_str()) != FALSE;
}

bool Win32FileSystem::createDirectory(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE;
}

std::string Win32FileSystem::tempFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return length > MAX_PATH ? std::string() : Narrow(buffer, length);
}

std::string Win32FileSystem::shortPath(const std::string& path) {
    const std::wstring longPath = Widen(path);
    const DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
    if (size == 0) return std::string();
    std::wstring buffer(size, L'\0');
    const DWORD length = GetShortPathNameW(longPath.c_str(), buffer.data(), size);
    return length == 0 || length >= size ? std::string() : Narrow(buffer.data(), length);
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    return CopyFileW(Widen(from).c_str(), Widen(to).c_str(), failIfExists) != FALSE;
}

bool Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    return MoveFileW(Widen(from).c_str(), Widen(to).c_str()) != FALSE;
}

bool Win32FileSystem::deleteFile(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != FALSE; }

bool Win32FileSystem::replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = Widen(from);
    {
        const UniqueHandle file = Own<UniqueHandle>(CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr,
                                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !FlushFileBuffers(file.get())) return false;
    }
    return MoveFileExW(source.c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

bool Win32FileSystem::appendToFile(const std::string& path, const std::string& bytes) {
    const UniqueHandle file = Own<UniqueHandle>(CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA,
                                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path, std::uint64_t limit) {
    const UniqueHandle file = Own<UniqueHandle>(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > limit)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char chunk[65536];
    DWORD read = 0;
    // A file that grows while it is read is still held to the limit.
    while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        if (bytes.size() + read > limit) return std::nullopt;
        bytes.append(chunk, read);
    }
    return bytes;
}

bool Win32FileSystem::shellFileOperation(ShellOperation operation, const std::string& from, const std::string& to,
                                         unsigned flags, const std::string& progressTitle, WindowHandle owner) {
    const std::wstring source = PathList(from);
    const std::wstring target = PathList(to);
    const std::wstring title = Widen(progressTitle);
    SHFILEOPSTRUCTW request{};
    request.hwnd = reinterpret_cast<HWND>(owner);
    request.wFunc = static_cast<UINT>(operation);
    request.pFrom = source.c_str();
    request.pTo = operation == ShellOperation::Delete ? nullptr : target.c_str();
    request.fFlags = static_cast<FILEOP_FLAGS>(flags);
    request.lpszProgressTitle = title.c_str();
    // A failure counts as much as an abort: the caller must not go on as if
    // the files had moved.
    return SHFileOperationW(&request) == 0 && !request.fAnyOperationsAborted;
}
