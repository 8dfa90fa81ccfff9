#include "system/mapped_file.h"

#include "system/windows/windows_error.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace sys {
namespace {

// Closes a handle when it goes.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    HANDLE release() { return std::exchange(handle_, nullptr); }

private:
    HANDLE handle_;
};

} // namespace

MappedFile::MappedFile(const std::filesystem::path& file) {
    // Others may go on reading, writing or replacing the file: the mapping keeps the bytes it
    // was made from.
    Handle opened(CreateFileW(file.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (opened.get() == INVALID_HANDLE_VALUE) {
        ThrowLastError("CreateFileW");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(opened.get(), &size)) {
        ThrowLastError("GetFileSizeEx");
    }
    if (size.QuadPart <= 0) {
        throw std::system_error(EINVAL, std::generic_category(), "empty file");
    }
    const Handle mapping(CreateFileMappingW(opened.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping.get() == nullptr) {
        ThrowLastError("CreateFileMappingW");
    }
    const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        ThrowLastError("MapViewOfFile");
    }
    data_ = static_cast<const std::byte*>(view);
    size_ = static_cast<std::size_t>(size.QuadPart);
    file_ = reinterpret_cast<std::intptr_t>(opened.release());
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      file_(std::exchange(other.file_, -1)) {}

MappedFile::~MappedFile() {
    if (data_ != nullptr) {
        UnmapViewOfFile(data_);
    }
    if (file_ != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(file_));
    }
}

void MappedFile::CopyOut(std::uint64_t offset, std::span<std::byte> into) const {
    while (!into.empty()) {
        // Each read says where it starts, so that threads reading at once do not meet.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
        DWORD got = 0;
        if (!ReadFile(reinterpret_cast<HANDLE>(file_), into.data(), wanted, &got, &at)) {
            ThrowLastError("ReadFile");
        }
        if (got == 0) {
            throw std::system_error(EIO, std::generic_category(), "ReadFile");
        }
        into = into.subspan(got);
        offset += got;
    }
}

} // namespace sys
