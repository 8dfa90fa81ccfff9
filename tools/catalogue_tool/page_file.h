#pragma once
// The pages of the file being written: numbers are handed out in increasing order and each
// page is written at its place once complete, in any order.

#include "catalogue_tool/page.h"

#include <cstdint>
#include <cstdio>

namespace jet_writer {

class PageFile {
public:
    explicit PageFile(std::FILE* stream) : stream_(stream) {}

    // A new page number; throws when the file would outgrow the format.
    std::uint32_t allocate();
    std::uint32_t pageCount() const { return pageCount_; }

    void write(std::uint32_t number, const Page& page);

private:
    std::FILE* stream_;
    std::uint32_t pageCount_ = 0;
};

} // namespace jet_writer
