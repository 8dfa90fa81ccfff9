#include "catalogue/jet_header.h"

#include "catalogue/jet_error.h"
#include "jet/format.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string_view>

namespace catalogue {
namespace {

using jet::header::kVersionOffset;

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

std::FILE* openToRead(const std::filesystem::path& file) {
#ifdef _WIN32
    return _wfopen(file.c_str(), L"rb");
#else
    return std::fopen(file.c_str(), "rb");
#endif
}

std::array<unsigned char, kVersionOffset + 1> readStart(const std::filesystem::path& file) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> stream(openToRead(file));
    if (!stream) {
        throw JetError::unreadable(file, errno);
    }
    std::array<unsigned char, kVersionOffset + 1> start{};
    const std::size_t got = std::fread(start.data(), 1, start.size(), stream.get());
    if (std::ferror(stream.get())) {
        throw JetError::unreadable(file, errno);
    }
    if (got < start.size()) {
        throw JetError::notJet(file);
    }
    return start;
}

bool hasJetSignature(const std::array<unsigned char, kVersionOffset + 1>& start) {
    // Page 0 is the database page; its format's name follows the page type.
    const std::string_view name(reinterpret_cast<const char*>(start.data()) +
                                    jet::header::kSignatureOffset,
                                jet::header::kJetSignature.size());
    return start[0] == static_cast<unsigned char>(jet::PageType::DatabaseHeader) &&
           (name == jet::header::kJetSignature || name == jet::header::kAceSignature);
}

} // namespace

JetFileFacts CheckJetFile(const std::filesystem::path& file) {
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw JetError::missing(file);
    }
    if (error) {
        throw JetError::unreadable(file, error.value());
    }
    if (status.type() != std::filesystem::file_type::regular) {
        throw JetError::notAFile(file);
    }
    const auto start = readStart(file);
    if (!hasJetSignature(start)) {
        throw JetError::notJet(file);
    }
    const int version = start[kVersionOffset];
    if (version > jet::kNewestVersion) {
        throw JetError::unsupported(file, version);
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        throw JetError::unreadable(file, error.value());
    }
    const std::uintmax_t pageSize =
        version == static_cast<int>(jet::Version::Jet3) ? jet::kJet3PageSize : jet::kJet4PageSize;
    if (size % pageSize != 0 || size < 3 * pageSize) {
        throw JetError::damaged(file, "il est tronqué");
    }
    return {version, size};
}

} // namespace catalogue
