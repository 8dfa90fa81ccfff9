#include "catalogue_tool/page.h"

#include <algorithm>
#include <stdexcept>

namespace jet_writer {

void Page::setBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    if (offset + bytes.size() > jet::kJet4PageSize) {
        throw std::logic_error("page overflow");
    }
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

} // namespace jet_writer
