#include "util/Utilities.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Keeps a block observable, so the compiler cannot leave its allocation out.
void* volatile gKeptBlock = nullptr;

class MemoryUsedGrows : public testing::TestWithParam<size_t> {};

// Blocks from the arena and blocks the allocator maps one by one. Smaller blocks than these may
// come from, and go back to, the thread's cache of freed blocks, which the C library counts as in
// use throughout; see MemoryInfoPosix.cpp.
TEST_P(MemoryUsedGrows, ByAtLeastTheSizeOfAKeptBlockAndFallsWhenItIsFreed) {
    const size_t size = GetParam();
    const uint64_t before = TUtilities::MemoryUsed();
    void* block = std::malloc(size);
    ASSERT_NE(block, nullptr);
    std::memset(block, 1, size);
    gKeptBlock = block;
    const uint64_t during = TUtilities::MemoryUsed();
    EXPECT_GE(during, before + size);
    std::free(block);
    gKeptBlock = nullptr;
    EXPECT_LE(TUtilities::MemoryUsed(), during - size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MemoryUsedGrows,
                         testing::Values(size_t{2000}, size_t{100'000}, size_t{16} << 20));

// Present only when a sanitizer's allocator serves the program.
extern "C" [[gnu::weak]] size_t __sanitizer_get_current_allocated_bytes();

// The count does not wrap around at 4 GiB. The block is only reserved, never touched, so it
// costs address space but no memory; not so under a sanitizer, which writes the block's shadow
// (640 MB) and ends the program where the machine cannot reserve the block.
TEST(MemoryUsed, CountsAHeapBeyondFourGiB) {
    if (__sanitizer_get_current_allocated_bytes != nullptr)
        GTEST_SKIP() << "a sanitizer's allocator serves this program";
    const size_t size = size_t{5} << 30;
    void* block = std::malloc(size);
    if (block == nullptr)
        GTEST_SKIP() << "this machine does not reserve 5 GiB";
    gKeptBlock = block;
    EXPECT_GE(TUtilities::MemoryUsed(), uint64_t{size});
    std::free(block);
    gKeptBlock = nullptr;
}

} // namespace
