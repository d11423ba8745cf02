#include "platform/LargePageHeap.h"

// Sanitizers bring their own allocator, and would see the filler as a leak.
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
// glibc's largest threshold: blocks up to this come from the heap.
constexpr int kLargestHeapBlock = 32 << 20;
// Room left for the allocator's own words in front of a block.
constexpr std::uintptr_t kHeaderRoom = 16 << 10;

std::uintptr_t AlignUp(std::uintptr_t value) {
    return (value + kLargePage - 1) & ~(kLargePage - 1);
}

}  // namespace

bool ReserveLargePageHeap(std::size_t bytes) {
    const std::uintptr_t reserve = AlignUp(bytes);
    // Blocks up to the threshold come from the heap, which keeps what is
    // freed and grows by the whole reserve at once.
    if (mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) == 0 ||
        mallopt(M_TRIM_THRESHOLD, static_cast<int>(4 * reserve)) == 0 ||
        mallopt(M_TOP_PAD, static_cast<int>(reserve + kLargePage)) == 0) {
        return false;
    }
    // The heap's free end starts about here. A filler, kept for the whole
    // run, takes the heap up to a large-page boundary beyond what it holds
    // now, so that it grows; the blocks made next start on that boundary.
    // A large page is only given where no page of its range has been
    // touched, and the allocator writes only in front of a block and
    // behind it.
    void* volatile mark = std::malloc(1);
    const auto here = reinterpret_cast<std::uintptr_t>(mark);
    const std::uintptr_t first = AlignUp(here + kHeaderRoom + kLargePage);
    void* volatile filler = std::malloc(first - here - kHeaderRoom);
    if (filler == nullptr) {
        return false;
    }
    return madvise(reinterpret_cast<void*>(first), reserve, MADV_HUGEPAGE) == 0;
}

#else

bool ReserveLargePageHeap(std::size_t) {
    return false;
}

#endif
