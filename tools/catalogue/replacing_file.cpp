#include "replacing_file.h"

#include "errors.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace jet_writer {

namespace {

std::string quoted(const std::filesystem::path& path) {
    return "« " + path.string() + " »";
}

std::string lastError() {
    return std::strerror(errno);
}

bool flushToDisk(std::FILE* stream) {
    if (std::fflush(stream) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0;
#endif
}

std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned suffix) {
    const std::filesystem::path folder = target.parent_path();
    return folder / ("." + target.filename().string() + "." + std::to_string(suffix) + ".tmp");
}

} // namespace

ReplacingFile::ReplacingFile(std::filesystem::path target) : target_(std::move(target)) {
    if (target_.filename().empty())
        throw FileError("nom de fichier de sortie manquant dans " + quoted(target_));
    std::random_device random;
    for (int attempt = 0; attempt < 100 && !stream_; ++attempt) {
        temporary_ = temporaryName(target_, random());
        errno = 0;
        stream_ = std::fopen(temporary_.string().c_str(), "wbx"); // fails if it exists
        if (!stream_ && errno != EEXIST)
            break;
    }
    if (!stream_)
        throw FileError("impossible de créer un fichier dans le dossier de " + quoted(target_) +
                        " : " + lastError());
    guard_.emplace(temporary_);
}

ReplacingFile::~ReplacingFile() {
    if (!stream_)
        return;
    std::fclose(stream_);
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void ReplacingFile::commit() {
    const bool flushed = flushToDisk(stream_);
    const std::string flushError = lastError();
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    std::error_code error;
    if (!flushed || !closed) {
        std::filesystem::remove(temporary_, error);
        throw FileError("écriture de " + quoted(target_) +
                        " impossible : " + (flushed ? lastError() : flushError));
    }
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
        throw FileError("impossible de remplacer " + quoted(target_) + " : " + error.message());
    }
    guard_.reset();
}

} // namespace jet_writer
