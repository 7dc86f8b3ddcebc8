#include "app/CodeBlock.h"

namespace {
constexpr std::uint8_t kPopEax = 0x58, kPopEcx = 0x59, kPushEax = 0x50, kPushImmediate = 0x68, kCall = 0xE8,
                       kReturn = 0xC3, kBreak = 0xCC;

class Writer {
public:
    Writer(CodeBlock& block, std::uint32_t bufferAddress) : block_(block), bufferAddress_(bufferAddress) {}
    void byte(std::uint8_t value) { block_.bytes[position_++] = value; }
    void dword(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void push(std::uint32_t value) {
        byte(kPushImmediate);
        dword(value);
    }
    void call(std::uint32_t target) {
        byte(kCall);
        // Relative to the address of the byte after the displacement.
        dword(target - (bufferAddress_ + static_cast<std::uint32_t>(position_) + 4));
    }
    void seek(std::size_t position) { position_ = position; }

private:
    CodeBlock& block_;
    std::uint32_t bufferAddress_;
    std::size_t position_ = 0;
};
}  // namespace

CodeBlock BuildCodeBlock(const CodeBlockRequest& request, std::uint32_t bufferAddress) {
    const std::size_t count = request.parameters.size();
    CodeBlock block;
    block.bytes.assign(count * 6 + 51, kBreak);
    // The first 16-byte boundary strictly after the buffer's first byte.
    block.start = 16 - bufferAddress % 16;
    const bool object = request.convention == CallConvention::ComHResult || request.convention == CallConvention::ComDirect;

    Writer code(block, bufferAddress);
    code.seek(block.start);
    code.byte(kPopEax);
    for (int i = 0; i < 4; ++i) code.byte(kPopEcx);
    code.byte(kPushEax);
    if (request.convention == CallConvention::ComHResult) code.push(request.resultCellAddress);
    for (std::size_t i = count; i > 0; --i) code.push(static_cast<std::uint32_t>(request.parameters[i - 1]));
    if (object) code.push(request.objectPointer);
    code.call(request.functionAddress);
    if (request.convention == CallConvention::Cdecl)
        for (std::size_t i = 0; i < count; ++i) code.byte(kPopEcx);
    code.byte(kReturn);
    code.byte(kBreak);
    return block;
}
