// The call thunk's size and place: what it does when it runs is tested on
// the 32-bit suite, where FixturesTest's CallFacility runs it as machine
// code (argument order, conventions, the object and its result cell).
#include "app/CodeBlock.h"

#include <gtest/gtest.h>

namespace {
TEST(CodeBlock, FitsTheBufferItsCallerAllocatesAndStartsOnA16ByteBoundary) {
    for (const CallConvention convention :
         {CallConvention::StdCall, CallConvention::Cdecl, CallConvention::ComHResult, CallConvention::ComDirect})
        for (const std::size_t count : {0u, 1u, 8u})
            for (const std::uint32_t address : {0x00400000u, 0x00400005u, 0x0040000Fu}) {
                CodeBlockRequest request;
                request.parameters.assign(count, -2);
                request.convention = convention;
                request.functionAddress = 0x10001000;
                const CodeBlock block = BuildCodeBlock(request, address);
                EXPECT_EQ(block.bytes.size(), count * 6 + 51) << "what Win32Libraries allocates";
                EXPECT_EQ((address + block.start) % 16, 0u);
                ASSERT_GE(block.start, 1u);
                ASSERT_LE(block.start, 16u);
                EXPECT_EQ(std::vector<std::uint8_t>(block.bytes.begin(), block.bytes.begin() + block.start),
                          std::vector<std::uint8_t>(block.start, 0xCC));
                EXPECT_EQ(block.bytes.back(), 0xCC) << "the last instruction ends inside";
            }
}
}  // namespace
