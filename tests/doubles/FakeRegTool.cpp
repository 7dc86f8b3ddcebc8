#include "doubles/FakeRegTool.h"

#include <cstdio>
#include <sstream>

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

void Import(FakeRegistry& registry, const std::string& text) {
    std::istringstream in(text);
    std::string key;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(std::string("[") + kRoot, 0) == 0) key = line.substr(1 + std::string(kRoot).size(), line.size() - 2 - std::string(kRoot).size());
        const std::size_t equals = line.find("\"=");
        if (key.empty() || line.empty() || line[0] != '"' || equals == std::string::npos) continue;
        const std::string name = line.substr(1, equals - 1), data = line.substr(equals + 2);
        if (data.rfind("dword:", 0) == 0)
            registry.setDword(key, name, static_cast<std::uint32_t>(std::stoul(data.substr(6), nullptr, 16)));
        else
            registry.setString(key, name, data.substr(1, data.size() - 2));
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
            Import(registry, bytes.rfind(kUtf16Mark, 0) == 0 ? Utf16ToUtf8(bytes.substr(2)) : bytes);
            return 0;
        }
        return 1;
    });
}
