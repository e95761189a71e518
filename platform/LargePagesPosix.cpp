#include "platform/LargePages.h"

#include <cstdint>

#include <sys/mman.h>

void AdviseLargePages(void* AStart, size_t ALength) noexcept {
#ifdef MADV_HUGEPAGE // Linux only
    constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
    const auto start = reinterpret_cast<uintptr_t>(AStart);
    const uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (start + ALength) & ~(kLargePage - 1);
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)AStart;
    (void)ALength;
#endif
}
