#include "files/modUnzip.h"

#include <algorithm>
#include <cstring>

#include "files/clsUnzip.h"

namespace {
clsUnzip* uZipObject = nullptr;   // the object whose run is under way
bool passwordCancelled = false;   // the user gave up on a password in this run

std::string WithBackslashes(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

template <typename Call>
void Guarded(Call call) {
    try {
        if (uZipObject) call(*uZipObject);
    } catch (...) {
        // A handler's failure never reaches the engine.
    }
}
}  // namespace

UnzipNameTable::UnzipNameTable(std::vector<std::string> names) : names_(std::move(names)) {
    names_.emplace_back(1, '\0');
    for (auto& name : names_) slots_.push_back(name.data());
}

int RunUnzip(clsUnzip& target, IExtractionFiles& files, DCL& options, const std::vector<std::string>& include,
             const std::vector<std::string>& exclude) {
    uZipObject = &target;
    USERFUNCTIONS callbacks{};
    callbacks.print = UnzipPrint;
    callbacks.replace = UnzipReplace;
    callbacks.password = UnzipPassword;
    callbacks.SendApplicationMessage = UnzipMessage;
    callbacks.ServCallBk = UnzipService;
    UnzipNameTable includeTable(include), excludeTable(exclude);
    passwordCancelled = false;
    const int code = Wiz_SingleEntryUnzip(files, includeTable.count(), includeTable.slots(), excludeTable.count(),
                                          excludeTable.slots(), &options, &callbacks);
    uZipObject = nullptr;
    return code;
}

int UnzipPrint(char* text, unsigned long length) {
    if (!text || length <= 1 || length >= 1024) return 0;
    const std::string message = WithBackslashes(std::string(text, length));
    Guarded([&](clsUnzip& target) { target.RaiseProgress(1, message); });
    return 0;
}

int UnzipReplace(char* path) {
    std::int32_t response = 100;
    if (!path) return response;
    const std::string file = WithBackslashes(path);
    Guarded([&](clsUnzip& target) { target.RaiseOverwritePrompt(file, response); });
    return response;
}

int UnzipPassword(char* buffer, int size, const char*, const char*) {
    if (passwordCancelled || !buffer || size <= 0) return 1;
    std::string password;
    bool cancel = false;
    Guarded([&](clsUnzip& target) { target.RaisePasswordRequest(password, cancel); });
    password = Trimmed(password);
    if (password.empty() || cancel) {
        passwordCancelled = true;
        return 1;
    }
    const std::size_t length = std::min<std::size_t>({password.size(), 254, static_cast<std::size_t>(size - 1)});
    std::memcpy(buffer, password.data(), length);
    buffer[length] = '\0';
    return 0;
}

void UnzipMessage(std::uint32_t size, std::uint32_t packedSize, unsigned factor, unsigned month, unsigned day,
                  unsigned year, unsigned hour, unsigned minute, char, const char* path, const char* method,
                  std::uint32_t crc, char encrypted) {
    if (!path) return;
    const std::string full = WithBackslashes(path);
    const std::size_t cut = full.rfind('\\');
    clsUnzip::Entry entry;
    entry.folder = cut == std::string::npos ? "" : full.substr(0, cut);
    entry.name = cut == std::string::npos ? full : full.substr(cut + 1);
    if (entry.name.empty()) return;
    entry.size = size;
    entry.packedSize = packedSize;
    entry.ratio = static_cast<std::int32_t>(factor);
    entry.date = DateTime{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                          static_cast<int>(hour), static_cast<int>(minute), 0, 0};
    entry.method = method ? method : "";
    entry.crc = crc;
    entry.encrypted = (static_cast<unsigned char>(encrypted) & 0x40) != 0;
    Guarded([&](clsUnzip& target) { target.AddEntry(entry); });
}

int UnzipService(const char* name, unsigned long size) {
    if (!name || size <= 1 || size >= 1024) return 0;
    bool cancel = false;
    const std::string message = WithBackslashes(name);
    Guarded([&](clsUnzip& target) { target.RaiseCancel(message, cancel); });
    return cancel ? 1 : 0;
}
