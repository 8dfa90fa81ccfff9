#include "system/mapped_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace sys {
namespace {

[[noreturn]] void fail(int error) {
    throw std::system_error(error, std::generic_category());
}

} // namespace

MappedFile::MappedFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        fail(errno);
    }
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || facts.st_size <= 0) {
        const int error = facts.st_size <= 0 ? EINVAL : errno;
        ::close(fd);
        fail(error);
    }
    size_ = std::size_t(facts.st_size);
    void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    const int error = errno;
    if (mapped == MAP_FAILED) {
        ::close(fd);
        fail(error);
    }
    data_ = static_cast<const std::byte*>(mapped);
    file_ = fd;
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      file_(std::exchange(other.file_, -1)) {}

MappedFile::~MappedFile() {
    if (data_ != nullptr) {
        ::munmap(const_cast<std::byte*>(data_), size_);
    }
    if (file_ >= 0) {
        ::close(int(file_));
    }
}

void MappedFile::CopyOut(std::uint64_t offset, std::span<std::byte> into) const {
    while (!into.empty()) {
        const ssize_t got = ::pread(int(file_), into.data(), into.size(), off_t(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            fail(got == 0 ? EIO : errno);
        }
        into = into.subspan(std::size_t(got));
        offset += std::uint64_t(got);
    }
}

} // namespace sys
