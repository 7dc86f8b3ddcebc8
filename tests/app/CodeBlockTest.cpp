#include "app/CodeBlock.h"

#include <gtest/gtest.h>

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes Code(const CodeBlock& block) {
    return Bytes(block.bytes.begin() + static_cast<std::ptrdiff_t>(block.start), block.bytes.end());
}

TEST(CodeBlock, CdeclPushesLastParameterFirstAndPopsThemAfterTheCall) {
    CodeBlockRequest request;
    request.parameters = {0x11223344, -2};
    request.convention = CallConvention::Cdecl;
    request.functionAddress = 0x10001000;
    const CodeBlock block = BuildCodeBlock(request, 0x00400000);
    EXPECT_EQ(block.bytes.size(), 2u * 6 + 51);
    EXPECT_EQ(block.start, 16u) << "a buffer on a boundary starts 16 bytes in";
    EXPECT_EQ(Bytes(block.bytes.begin(), block.bytes.begin() + 16), Bytes(16, 0xCC));
    // call at 0x00400000 + 16 + 16; the next instruction is 5 bytes on.
    const std::uint32_t displacement = 0x10001000 - (0x00400000 + 16 + 16 + 5);
    const Bytes expected = {0x58, 0x59, 0x59, 0x59, 0x59, 0x50,                      // return address, drop 4
                            0x68, 0xFE, 0xFF, 0xFF, 0xFF,                            // push parameter 2
                            0x68, 0x44, 0x33, 0x22, 0x11,                            // push parameter 1
                            0xE8, static_cast<std::uint8_t>(displacement), static_cast<std::uint8_t>(displacement >> 8),
                            static_cast<std::uint8_t>(displacement >> 16), static_cast<std::uint8_t>(displacement >> 24),
                            0x59, 0x59, 0xC3, 0xCC};
    const Bytes code = Code(block);
    EXPECT_EQ(Bytes(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(Bytes(code.begin() + static_cast<std::ptrdiff_t>(expected.size()), code.end()),
              Bytes(code.size() - expected.size(), 0xCC));
}

TEST(CodeBlock, StdcallWithoutParametersIsTheBareCallAndReturn) {
    CodeBlockRequest request;
    request.functionAddress = 0x00401000;
    const CodeBlock block = BuildCodeBlock(request, 0x00400005);
    EXPECT_EQ(block.bytes.size(), 51u);
    EXPECT_EQ(block.start, 11u) << "the next 16-byte boundary";
    const std::uint32_t displacement = 0x00401000 - (0x00400010 + 6 + 5);
    const Bytes code = Code(block);
    EXPECT_EQ(Bytes(code.begin(), code.begin() + 13),
              (Bytes{0x58, 0x59, 0x59, 0x59, 0x59, 0x50, 0xE8, static_cast<std::uint8_t>(displacement),
                     static_cast<std::uint8_t>(displacement >> 8), static_cast<std::uint8_t>(displacement >> 16),
                     static_cast<std::uint8_t>(displacement >> 24), 0xC3, 0xCC}));
}

TEST(CodeBlock, ObjectMethodsPushTheObjectFirstAndTheResultCellLast) {
    CodeBlockRequest request;
    request.parameters = {7};
    request.convention = CallConvention::ComHResult;
    request.objectPointer = 0x00A0B0C0;
    request.resultCellAddress = 0x0012FF00;
    const Bytes hresult = Code(BuildCodeBlock(request, 0x1000));
    EXPECT_EQ(Bytes(hresult.begin() + 6, hresult.begin() + 21),
              (Bytes{0x68, 0x00, 0xFF, 0x12, 0x00, 0x68, 0x07, 0x00, 0x00, 0x00, 0x68, 0xC0, 0xB0, 0xA0, 0x00}));
    EXPECT_EQ(hresult[21], 0xE8);
    EXPECT_EQ(hresult[26], 0xC3) << "the callee removes the arguments";

    request.convention = CallConvention::ComDirect;
    const Bytes direct = Code(BuildCodeBlock(request, 0x1000));
    EXPECT_EQ(Bytes(direct.begin() + 6, direct.begin() + 16),
              (Bytes{0x68, 0x07, 0x00, 0x00, 0x00, 0x68, 0xC0, 0xB0, 0xA0, 0x00}));
    EXPECT_EQ(direct[16], 0xE8);
}
}  // namespace
