#include "system/page_block.h"

#include <windows.h>

namespace sys {

// Large pages need a privilege ordinary users lack: Windows gives ordinary pages.
void* AllocatePages(std::size_t bytes) {
    void* pages = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (pages == nullptr) {
        throw std::bad_alloc();
    }
    return pages;
}

void FreePages(void* pages, std::size_t /*bytes*/) noexcept {
    VirtualFree(pages, 0, MEM_RELEASE);
}

} // namespace sys
