#pragma once

// Plug-in libraries described in the test, for FakeLibraries.

#include <cstring>

#include "doubles/FakeLibraries.h"

inline FakeLibraries::Export Returns(CallValue value) {
    return [value](const std::vector<CallValue>&) { return value; };
}

inline FakeLibraries::Exports PsxPlugin(CallValue rawType, const char* name, const char* prefix = "GPU") {
    return {{"PSEgetLibType", Returns(rawType)},
            {"PSEgetLibName", Returns(reinterpret_cast<CallValue>(name))},
            {"PSEgetLibVersion", Returns(0x0103)},
            {std::string(prefix) + "test", Returns(0)},
            {std::string(prefix) + "configure", Returns(0)}};
}

inline FakeLibraries::Exports N64Plugin(std::int16_t type, const char* name) {
    return {{"GetDllInfo", [type, name](const std::vector<CallValue>& a) {
                 auto* record = reinterpret_cast<unsigned char*>(a.at(0));
                 record[2] = static_cast<unsigned char>(type);
                 std::memcpy(record + 4, name, std::strlen(name));
                 return CallValue{0};
             }}};
}

