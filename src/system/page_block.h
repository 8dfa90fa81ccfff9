#pragma once
// Writable memory taken straight from the system in whole pages, for large stores filled once:
// on Linux in 2 MiB pages where the system has them to give, since filling fresh memory one
// 4 KiB page at a time costs a fault per page, which on a virtual machine is dearer than the
// copy itself.

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace sys {

// The size large pages come in; memory of a multiple of it is made of large pages only.
inline constexpr std::size_t kLargePage = std::size_t(2) << 20;

// Memory of at least that many bytes, in large pages when there are that many; throws
// std::bad_alloc when the system refuses. FreePages takes it back, given the same size.
void* AllocatePages(std::size_t bytes);
void FreePages(void* pages, std::size_t bytes) noexcept;

// One such piece of memory, given back when it goes.
class PageBlock {
public:
    explicit PageBlock(std::size_t bytes)
        : data_(static_cast<char*>(AllocatePages(bytes))), size_(bytes) {}
    PageBlock(PageBlock&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    PageBlock& operator=(PageBlock&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;
    ~PageBlock() {
        if (data_ != nullptr) {
            FreePages(data_, size_);
        }
    }

    char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    char* data_;
    std::size_t size_;
};

// An allocator for containers that grow large, such as a table of a million rows: what takes a
// large page or more comes from AllocatePages, the rest from the usual heap.
template <typename T> struct PageAllocator {
    using value_type = T;

    PageAllocator() = default;
    template <typename U> explicit PageAllocator(const PageAllocator<U>& /*other*/) {}

    T* allocate(std::size_t count) {
        if (count * sizeof(T) < kLargePage) {
            return std::allocator<T>().allocate(count);
        }
        return static_cast<T*>(AllocatePages(count * sizeof(T)));
    }
    void deallocate(T* pointer, std::size_t count) noexcept {
        if (count * sizeof(T) < kLargePage) {
            std::allocator<T>().deallocate(pointer, count);
        } else {
            FreePages(pointer, count * sizeof(T));
        }
    }
    bool operator==(const PageAllocator& /*other*/) const { return true; }
};

} // namespace sys
