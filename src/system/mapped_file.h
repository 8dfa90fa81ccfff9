#pragma once
// A whole file mapped read-only into memory: its pages are read with plain copies, with no
// system call for each. Its bytes can also be copied out by the system into the caller's memory:
// for a long read front to back, a buffer used again and again costs less than touching every
// page of the mapping once, which on a virtual machine costs a fault per page.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace sys {

class MappedFile {
public:
    // Throws std::system_error when the file cannot be opened or mapped, or is empty.
    explicit MappedFile(const std::filesystem::path& file);
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    ~MappedFile();

    const std::byte* data() const { return data_; }
    std::size_t size() const { return size_; }

    // Fills into with the file's bytes from offset, as the file is now. Safe from several threads
    // at once. Throws std::system_error when the system fails to read them or the file has become
    // shorter.
    void CopyOut(std::uint64_t offset, std::span<std::byte> into) const;

private:
    const std::byte* data_ = nullptr;
    std::size_t size_ = 0;
    std::intptr_t file_ = -1; // the open file: a descriptor, or a handle on Windows
};

} // namespace sys
