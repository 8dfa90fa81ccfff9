#pragma once
// A whole file mapped read-only into memory: its pages are read with plain copies, with no
// system call for each.

#include <cstddef>
#include <filesystem>

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

private:
    const std::byte* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace sys
