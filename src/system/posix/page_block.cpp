#include "system/page_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace sys {
namespace {

std::size_t roundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

// The bytes the system hands out for a request of that size.
std::size_t mappedSize(std::size_t bytes) {
    return roundUp(bytes, bytes >= kLargePage ? kLargePage
                                              : static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)));
}

} // namespace

void* AllocatePages(std::size_t bytes) {
    const std::size_t size = mappedSize(bytes);
    const bool large = bytes >= kLargePage;
    // A large page must start on a boundary of its size: a large request maps one large page
    // more, then gives back what lies before the first boundary and after the end.
    const std::size_t mapped = large ? size + kLargePage : size;
    void* mapping =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    if (!large) {
        return mapping;
    }
    auto* const start = static_cast<char*>(mapping);
    auto* const data =
        reinterpret_cast<char*>(roundUp(reinterpret_cast<std::uintptr_t>(start), kLargePage));
    if (data != start) {
        ::munmap(start, std::size_t(data - start));
    }
    if (data + size != start + mapped) {
        ::munmap(data + size, std::size_t(start + mapped - (data + size)));
    }
#ifdef MADV_HUGEPAGE
    // Only advice: without large pages to give, the memory is made of small ones.
    ::madvise(data, size, MADV_HUGEPAGE);
#endif
    return data;
}

void FreePages(void* pages, std::size_t bytes) noexcept {
    ::munmap(pages, mappedSize(bytes));
}

} // namespace sys
