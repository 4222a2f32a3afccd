#pragma once
#include <cstddef>

#include "common/unique_resource.h"

namespace platform {

// Memory straight from the system, in whole pages, for a store that fills a large block from its
// start: each page is mapped when it is first written. Where the system gives large pages to any
// process (Linux's transparent huge pages), a block of 2 MB or more is aligned to them and asks for
// them: a virtual machine can take as long to map one 4 KB page as to format a kilobyte of text,
// and takes little longer for a 2 MB one.
struct PageMapping {
    void* base = nullptr;  // what the system handed out
    std::size_t length = 0;
    char* data = nullptr;  // the block, within it
    std::size_t size = 0;  // at least the size asked for
};

// Throws std::bad_alloc when the system has no room.
PageMapping MapPages(std::size_t size);
void UnmapPages(const PageMapping& mapping) noexcept;

struct PageMappingTraits {
    using Handle = PageMapping;
    static Handle Empty() noexcept { return {}; }
    static bool IsEmpty(const Handle& mapping) noexcept { return mapping.base == nullptr; }
    static void Close(Handle& mapping) noexcept { UnmapPages(mapping); }
};

using PageBlock = UniqueResource<PageMappingTraits>;

}  // namespace platform
