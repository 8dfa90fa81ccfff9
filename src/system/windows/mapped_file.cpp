#include "system/mapped_file.h"

#include <system_error>
#include <utility>
#include <windows.h>

namespace sys {
namespace {

[[noreturn]] void fail(DWORD error) {
    throw std::system_error(int(error), std::system_category());
}

// Closes a handle when it goes.
struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

} // namespace

MappedFile::MappedFile(const std::filesystem::path& file) {
    const HandleCloser opened{CreateFileW(file.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (opened.handle == INVALID_HANDLE_VALUE) {
        fail(GetLastError());
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(opened.handle, &size)) {
        fail(GetLastError());
    }
    if (size.QuadPart <= 0) {
        fail(ERROR_FILE_INVALID);
    }
    const HandleCloser mapping{
        CreateFileMappingW(opened.handle, nullptr, PAGE_READONLY, 0, 0, nullptr)};
    if (mapping.handle == nullptr) {
        fail(GetLastError());
    }
    const void* view = MapViewOfFile(mapping.handle, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        fail(GetLastError());
    }
    data_ = static_cast<const std::byte*>(view);
    size_ = std::size_t(size.QuadPart);
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile::~MappedFile() {
    if (data_ != nullptr) {
        UnmapViewOfFile(data_);
    }
}

} // namespace sys
