#include "platform/page_block.h"

#include <windows.h>

#include <new>

namespace platform {

// Windows gives large pages only to an account that holds the right to lock memory in, so every
// block is of small pages, each committed when it is first touched.
PageMapping MapPages(std::size_t size) {
    PageMapping mapping;
    mapping.base = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!mapping.base) throw std::bad_alloc();
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    mapping.length = (size + system.dwPageSize - 1) / system.dwPageSize * system.dwPageSize;
    mapping.data = static_cast<char*>(mapping.base);
    mapping.size = mapping.length;
    return mapping;
}

void UnmapPages(const PageMapping& mapping) noexcept { VirtualFree(mapping.base, 0, MEM_RELEASE); }

}  // namespace platform
