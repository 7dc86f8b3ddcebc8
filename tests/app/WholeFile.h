#pragma once

#include <cstdint>

// What the tests pass as the largest file they read whole: none of theirs
// comes near it.
constexpr std::uint64_t kWholeFile = std::uint64_t{1} << 30;
