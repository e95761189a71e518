// The heap use of this process, from the allocator the program runs with.

#include "util/Utilities.h"

#include <cstddef>
#include <malloc.h>

// Present only when the program runs under a sanitizer, whose allocator then replaces the C
// library's heap; the C library's figures would not see a single allocation.
extern "C" [[gnu::weak]] size_t __sanitizer_get_current_allocated_bytes();

uint64_t TUtilities::MemoryUsed() {
    // A count of 64 bits: a 32-bit count would wrap around beyond 4 GiB and report a heap of
    // 4.5 GiB as one of 0.5 GiB.
    if (__sanitizer_get_current_allocated_bytes != nullptr)
        return __sanitizer_get_current_allocated_bytes();
    // Blocks handed out from the arenas plus the large ones the allocator maps one by one; space
    // the heap holds but has not handed out is not counted. The C library counts the small freed
    // blocks each thread keeps for reuse (at most 7 of each size up to about 1 KiB) as in use,
    // and offers no figure of them, so the count can exceed the exact one by that much.
    const struct mallinfo2 info = mallinfo2();
    return uint64_t{info.uordblks} + uint64_t{info.hblkhd};
}
