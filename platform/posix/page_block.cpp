#include "platform/page_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <new>

namespace platform {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t size, std::size_t unit) { return (size + unit - 1) / unit * unit; }

}  // namespace

PageMapping MapPages(std::size_t size) {
    const bool large = size >= kLargePage;
    PageMapping mapping;
    mapping.size = RoundUp(size, large ? kLargePage : static_cast<std::size_t>(sysconf(_SC_PAGESIZE)));
    // A large block is mapped one large page longer, and the aligned part of it used.
    mapping.length = large ? mapping.size + kLargePage : mapping.size;
    void* const base = mmap(nullptr, mapping.length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) throw std::bad_alloc();
    mapping.base = base;
    const auto start = reinterpret_cast<std::uintptr_t>(base);
    mapping.data = static_cast<char*>(base) + (large ? RoundUp(start, kLargePage) - start : 0);
#if defined(MADV_HUGEPAGE)
    // Only advice: without large pages the block is mapped in small ones.
    if (large) madvise(mapping.data, mapping.size, MADV_HUGEPAGE);
#endif
    return mapping;
}

void UnmapPages(const PageMapping& mapping) noexcept { munmap(mapping.base, mapping.length); }

}  // namespace platform
