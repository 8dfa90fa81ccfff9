#include "catalogue_tool/page_file.h"

#include "catalogue_tool/errors.h"

#include <cerrno>
#include <stdexcept>

namespace jet_writer {

std::uint32_t PageFile::allocate() {
    if (pageCount_ == jet::kJet4MaxPageCount) {
        throw CatalogueTooLarge();
    }
    return pageCount_++;
}

void PageFile::write(std::uint32_t number, const Page& page) {
    if (number >= pageCount_) {
        throw std::logic_error("writing a page that was never allocated");
    }
    const auto offset = static_cast<long long>(number) * static_cast<long long>(jet::kJet4PageSize);
    errno = 0;
    const bool placed = std::fseek(stream_, static_cast<long>(offset), SEEK_SET) == 0;
    if (!placed ||
        std::fwrite(page.bytes().data(), 1, jet::kJet4PageSize, stream_) != jet::kJet4PageSize) {
        throw WriteError(errno);
    }
}

} // namespace jet_writer
