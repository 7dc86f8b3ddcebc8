#include "doubles/FakeFileSystem.h"

#include "app/Helpers.h"

namespace {
std::string TrimSlash(const std::string& path) {
    if (path.size() > 3 && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

bool MatchFrom(const std::string& pattern, std::size_t p, const std::string& name, std::size_t n) {
    if (p == pattern.size()) return n == name.size();
    if (pattern[p] == '*') {
        for (std::size_t skip = n; skip <= name.size(); ++skip)
            if (MatchFrom(pattern, p + 1, name, skip)) return true;
        return false;
    }
    if (n == name.size()) return false;
    return (pattern[p] == '?' || pattern[p] == name[n]) && MatchFrom(pattern, p + 1, name, n + 1);
}
}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    const std::string lowered = LowerCase(pattern);
    return MatchFrom(lowered == "*.*" ? "*" : lowered, 0, LowerCase(name), 0);
}

FakeFileSystem::FakeFileSystem() { addDirectory("C:\\"); }

std::string FakeFileSystem::key(const std::string& path) { return LowerCase(TrimSlash(path)); }

const FakeFileSystem::Node* FakeFileSystem::node(const std::string& path) const {
    const auto found = nodes_.find(key(path));
    return found == nodes_.end() ? nullptr : &found->second;
}

bool FakeFileSystem::exists(const std::string& path) const { return node(path) != nullptr; }

bool FakeFileSystem::parentExists(const std::string& path) const {
    const Node* parent = node(ParsePath(TrimSlash(path)));
    return parent && parent->isDirectory;
}

bool FakeFileSystem::writable(const std::string& path) const {
    const std::string target = key(path);
    for (const auto& locked : readOnly_)
        if (target == locked || target.rfind(locked + "\\", 0) == 0) return false;
    return true;
}

void FakeFileSystem::addDirectory(const std::string& path) {
    const std::string trimmed = TrimSlash(path);
    if (trimmed.size() > 3) addDirectory(ParsePath(trimmed));
    nodes_.try_emplace(key(trimmed), Node{trimmed, true, "", 0});
}

void FakeFileSystem::addFile(const std::string& path, const std::string& bytes, FileTime lastWrite) {
    addDirectory(ParsePath(path));
    nodes_[key(path)] = Node{path, false, bytes, lastWrite};
}

std::string FakeFileSystem::contents(const std::string& path) const {
    const Node* found = node(path);
    return found ? found->bytes : std::string();
}

void FakeFileSystem::makeReadOnly(const std::string& path) { readOnly_.push_back(key(path)); }

std::vector<FileEntry> FakeFileSystem::find(const std::string& pattern) {
    std::vector<FileEntry> entries;
    const std::string folder = key(ParsePath(pattern));
    const std::string namePattern = ParseFileName(pattern);
    if (namePattern.empty()) return entries;
    for (const auto& [path, entry] : nodes_) {
        if (path.size() <= 3 || key(ParsePath(path)) != folder) continue;
        const std::string name = ParseFileName(entry.path);
        if (!WildcardMatch(namePattern, name)) continue;
        entries.push_back({name, entry.isDirectory, entry.bytes.size(), entry.lastWriteTime, entry.lastWriteTime});
    }
    return entries;
}

bool FakeFileSystem::anyMatch(const std::string& pattern) {
    if (!find(pattern).empty()) return true;
    // A folder other than a drive root also holds "." and "..".
    const std::string folder = ParsePath(pattern);
    const std::string namePattern = ParseFileName(pattern);
    return folder.size() > 3 && isDirectory(folder) && !namePattern.empty() &&
           (WildcardMatch(namePattern, ".") || WildcardMatch(namePattern, ".."));
}

bool FakeFileSystem::isDirectory(const std::string& path) {
    const Node* found = node(path);
    return found && found->isDirectory;
}

bool FakeFileSystem::setCurrentDirectory(const std::string& path) {
    if (!isDirectory(path)) return false;
    currentDirectory_ = path;
    return true;
}

bool FakeFileSystem::createDirectory(const std::string& path) {
    if (exists(path) || !parentExists(path) || !writable(path)) return false;
    addDirectory(path);
    return true;
}

std::string FakeFileSystem::shortPath(const std::string& path) {
    if (!exists(path)) return std::string();
    const auto found = shortPaths_.find(key(path));
    return found == shortPaths_.end() ? path : found->second;
}

bool FakeFileSystem::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    const Node* source = node(from);
    if (!source || source->isDirectory || !parentExists(to) || !writable(to)) return false;
    if (isDirectory(to) || (failIfExists && exists(to))) return false;
    const Node copy = *source;
    nodes_[key(to)] = Node{TrimSlash(to), false, copy.bytes, copy.lastWriteTime};
    return true;
}

bool FakeFileSystem::moveFile(const std::string& from, const std::string& to) {
    // The same name in another letter case is the same file: nothing moves
    // (as Wine has it; Windows would take the new case).
    if (key(from) == key(to) && exists(from) && writable(from)) return true;
    if (!exists(from) || exists(to) || !parentExists(to) || !writable(from) || !writable(to)) return false;
    // A folder moves with everything below it.
    const std::string oldRoot = key(from);
    const std::string newPath = TrimSlash(to);
    std::map<std::string, Node> moved;
    for (auto it = nodes_.begin(); it != nodes_.end();) {
        if (it->first != oldRoot && it->first.rfind(oldRoot + "\\", 0) != 0) {
            ++it;
            continue;
        }
        Node entry = it->second;
        entry.path = newPath + entry.path.substr(oldRoot.size());
        moved[key(entry.path)] = entry;
        it = nodes_.erase(it);
    }
    nodes_.insert(moved.begin(), moved.end());
    return true;
}

bool FakeFileSystem::deleteFile(const std::string& path) {
    const Node* found = node(path);
    if (!found || found->isDirectory || !writable(path)) return false;
    nodes_.erase(key(path));
    return true;
}

bool FakeFileSystem::replaceFile(const std::string& from, const std::string& to) {
    const Node* source = node(from);
    if (!source || source->isDirectory || isDirectory(to) || !writable(to)) return false;
    nodes_.erase(key(to));
    return moveFile(from, to);
}

bool FakeFileSystem::appendToFile(const std::string& path, const std::string& bytes) {
    const Node* found = node(path);
    if ((found && found->isDirectory) || !parentExists(path) || !writable(path)) return false;
    if (!found) nodes_[key(path)] = Node{path, false, "", 0};
    nodes_[key(path)].bytes += bytes;
    return true;
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path, std::uint64_t limit) {
    const Node* found = node(path);
    if (!found || found->isDirectory || found->bytes.size() > limit) return std::nullopt;
    return found->bytes;
}

void FakeFileSystem::removeTree(const std::string& path) {
    const std::string root = key(path);
    for (auto it = nodes_.begin(); it != nodes_.end();)
        it = it->first == root || it->first.rfind(root + "\\", 0) == 0 ? nodes_.erase(it) : std::next(it);
}

bool FakeFileSystem::shellFileOperation(ShellOperation operation, const std::string& from, const std::string& to,
                                        unsigned flags, const std::string&, WindowHandle) {
    // A wildcard copies every file it matches into the target folder; no
    // match is a failure, as the system reports it.
    if (operation == ShellOperation::Copy && ParseFileName(from).find_first_of("*?") != std::string::npos) {
        const auto matches = find(from);
        bool copied = false;
        for (const auto& entry : matches) {
            if (entry.isDirectory) continue;
            if (!copyFile(ParsePath(from) + entry.name, QualifyPath(to) + entry.name, false)) return false;
            copied = true;
        }
        return copied;
    }
    if (!exists(from) || !writable(from)) return false;
    switch (operation) {
        case ShellOperation::Delete:
            if (flags & ShellFlags::kAllowUndo) recycled_.push_back(node(from)->path);
            removeTree(from);
            return true;
        case ShellOperation::Copy: {
            const std::string target = isDirectory(to) ? QualifyPath(to) + ParseFileName(from) : to;
            return key(target) != key(from) && copyFile(from, target, false);  // not onto itself
        }
        case ShellOperation::Move:
        case ShellOperation::Rename:
            return moveFile(from, isDirectory(to) ? QualifyPath(to) + ParseFileName(from) : to);
    }
    return false;
}
