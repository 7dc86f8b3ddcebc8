#include "doubles/FakeRegTool.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

#include "app/Helpers.h"
#include "app/Utf16.h"

namespace {
const char* const kRoot = "HKEY_CURRENT_USER\\";

// The quoted arguments of a command line, in order.
std::vector<std::string> QuotedArguments(const std::string& commandLine) {
    std::vector<std::string> arguments;
    for (std::size_t open = commandLine.find('"'); open != std::string::npos;) {
        const std::size_t close = commandLine.find('"', open + 1);
        if (close == std::string::npos) break;
        arguments.push_back(commandLine.substr(open + 1, close - open - 1));
        open = commandLine.find('"', close + 1);
    }
    return arguments;
}

std::string ExportText(FakeRegistry& registry, const std::string& key) {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" + key + "]\r\n";
    for (const auto& [name, value] : registry.valuesOf(key.substr(std::string(kRoot).size()))) {
        if (value.type == RegistryValueType::String) text += "\"" + name + "\"=\"" + value.text + "\"\r\n";
        if (value.type == RegistryValueType::Dword) {
            char number[16];
            std::snprintf(number, sizeof number, "%08x", value.number);
            text += "\"" + name + "\"=dword:" + number + "\r\n";
        }
    }
    return text + "\r\n";
}

// The key below HKEY_CURRENT_USER that a key name of a .reg text means
// (either spelling of the root, any letter case); nothing for another root.
std::optional<std::string> UserKey(const std::string& name) {
    const std::size_t slash = name.find('\\');
    const std::string root = LowerCase(name.substr(0, slash));
    if ((root != "hkey_current_user" && root != "hkcu") || slash == std::string::npos) return std::nullopt;
    return name.substr(slash + 1);
}

std::string Unescaped(const std::string& text) {
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) plain += text[at] == '\\' && at + 1 < text.size() ? text[++at] : text[at];
    return plain;
}

// What the registry tool does with a .reg text, as far as the tests need:
// lines end at CR or LF; "[-KEY]" deletes a key with its subkeys,
// "\"name\"=-" a value; strings, dword and hex data (over several lines
// too) are written; keys of other roots are passed over.
void Import(FakeRegistry& registry, const std::string& text, bool wide) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end = 0; start <= text.size(); start = end + 1) {
        end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    std::optional<std::string> key;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i].substr(std::min(lines[i].find_first_not_of(" \t"), lines[i].size()));
        if (!line.empty() && line[0] == '[') {
            const std::string name = line.substr(1, line.rfind(']') - 1);
            key = name.rfind('-', 0) == 0 ? std::nullopt : UserKey(name);
            if (name.rfind('-', 0) == 0 && UserKey(name.substr(1))) registry.deleteTree(*UserKey(name.substr(1)));
            if (key) registry.createKey(*key);
            continue;
        }
        const std::size_t equals = line.find("\"=");
        if (!key || line.empty() || line[0] != '"' || equals == std::string::npos) continue;
        const std::string name = Unescaped(line.substr(1, equals - 1));
        std::string data = line.substr(equals + 2);
        if (data == "-") {
            registry.deleteValue(*key, name);
        } else if (data.rfind("dword:", 0) == 0) {
            registry.setDword(*key, name, static_cast<std::uint32_t>(std::stoul(data.substr(6), nullptr, 16)));
        } else if (data.rfind("hex", 0) == 0) {
            while (data.back() == '\\' && i + 1 < lines.size()) data.pop_back(), data += lines[++i];
            const unsigned type = data[3] == '(' ? std::stoul(data.substr(4), nullptr, 16) : 3;
            std::string bytes;
            for (std::size_t at = data.find(':') + 1; at < data.size(); ++at)
                if (std::isxdigit(static_cast<unsigned char>(data[at])))
                    bytes += static_cast<char>(std::stoul(data.substr(at, 2), nullptr, 16)), ++at;
            // The registry double keeps strings as UTF-8.
            if ((type == 1 || type == 2) && wide) bytes = Utf16ToUtf8(bytes);
            registry.plantValue(*key, name, type, bytes);
        } else if (data.size() >= 2) {
            registry.setString(*key, name, Unescaped(data.substr(1, data.size() - 2)));
        }
    }
}
}  // namespace

void InstallFakeRegTool(FakeProcesses& processes, FakeRegistry& registry, FakeFileSystem& files) {
    processes.onRun(processes.systemFolder() + "reg.exe", [&](const ProcessStart& start) -> unsigned long {
        const auto arguments = QuotedArguments(start.commandLine);
        const std::string verb = start.commandLine.substr(start.commandLine.find("\" ") + 2, 6);
        if (verb == "export" && arguments.size() == 3) {
            if (!registry.keyExists(arguments[1].substr(std::string(kRoot).size()))) return 1;
            if (files.exists(arguments[2])) files.deleteFile(arguments[2]);
            return files.appendToFile(arguments[2], kUtf16Mark + Utf8ToUtf16(ExportText(registry, arguments[1]))) ? 0 : 1;
        }
        if (verb == "import" && arguments.size() == 2) {
            const std::string bytes = files.contents(arguments[1]);
            const bool wide = bytes.rfind(kUtf16Mark, 0) == 0;
            Import(registry, wide ? Utf16ToUtf8(bytes.substr(2)) : bytes, wide);
            return 0;
        }
        return 1;
    });
}
