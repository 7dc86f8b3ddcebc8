#pragma once

#include <string>
#include <utility>
#include <vector>

// JSON text for the command line's --json output. Values are JSON already;
// strings are UTF-8 and come out escaped.
std::string JsonString(const std::string& utf8);
std::string JsonObject(const std::vector<std::pair<std::string, std::string>>& members);
std::string JsonArray(const std::vector<std::string>& values);
inline std::string JsonBool(bool value) { return value ? "true" : "false"; }
