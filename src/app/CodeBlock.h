#pragma once

#include <cstdint>
#include <vector>

#include "app/Libraries.h"

// The x86 machine code that calls a function with 32-bit arguments in a
// given convention. It is run as a window procedure with four zero
// arguments: it drops those, pushes its own and calls the target.
struct CodeBlockRequest {
    std::vector<std::int32_t> parameters;  // parameter 1 first
    CallConvention convention = CallConvention::StdCall;
    std::uint32_t functionAddress = 0;
    std::uint32_t objectPointer = 0;
    std::uint32_t resultCellAddress = 0;  // where a ComHResult call puts its out-argument
};

struct CodeBlock {
    std::vector<std::uint8_t> bytes;  // n * 6 + 51 bytes, 0xCC before the start
    std::size_t start = 0;            // offset of the first instruction
};

// Builds the block for a buffer whose first byte will sit at bufferAddress;
// the call's displacement is relative to where the code will run.
CodeBlock BuildCodeBlock(const CodeBlockRequest& request, std::uint32_t bufferAddress);
