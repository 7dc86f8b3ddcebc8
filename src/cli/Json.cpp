#include "cli/Json.h"

#include <cstdio>

std::string JsonString(const std::string& utf8) {
    std::string text = "\"";
    for (const char c : utf8) {
        switch (c) {
            case '"': text += "\\\""; break;
            case '\\': text += "\\\\"; break;
            case '\n': text += "\\n"; break;
            case '\r': text += "\\r"; break;
            case '\t': text += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                    text += escaped;
                } else {
                    text += c;
                }
        }
    }
    return text + "\"";
}

std::string JsonObject(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string text = "{";
    for (const auto& [key, value] : members) text += (text.size() > 1 ? ", " : "") + JsonString(key) + ": " + value;
    return text + "}";
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string text = "[";
    for (const std::string& value : values) text += (text.size() > 1 ? ", " : "") + value;
    return text + "]";
}
