#pragma once
// A whole file mapped read-only into memory. libmdb reads its pages from such a buffer with
// plain copies; reading them from the file costs it three system calls a page.

#include <cstddef>
#include <filesystem>

namespace platform {

class MappedFile {
public:
    // Throws std::system_error when the file cannot be opened or mapped.
    explicit MappedFile(const std::filesystem::path& file);
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&&) = delete;
    ~MappedFile();

    void* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    void* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace platform
