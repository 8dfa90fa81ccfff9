#include "catalogue_tool/row_page_sequence.h"

#include <stdexcept>

namespace jet_writer {

RowPageSequence::RowPageSequence(PageFile& file, std::uint32_t owner, std::size_t usefulRoom)
    : file_(file), owner_(owner), usefulRoom_(usefulRoom) {}

std::uint32_t RowPageSequence::add(const jet::Bytes& row) {
    if (row.size() > jet::data_page::kJet4MaxRowSize) {
        throw std::logic_error("row larger than a page");
    }
    if (open_ && !open_->fits(row.size())) {
        closeOpenPage();
    }
    if (!open_) {
        open_.emplace(owner_);
        openNumber_ = file_.allocate();
        pages_.push_back(openNumber_);
    }
    ++rowCount_;
    return jet::RowPointer(openNumber_, open_->add(row));
}

void RowPageSequence::addAlone(std::uint32_t number, const jet::Bytes& row) {
    if (!pages_.empty() && number < pages_.back()) {
        throw std::logic_error("pages added out of order");
    }
    RowPage page(owner_);
    page.add(row);
    file_.write(number, page.page());
    pages_.push_back(number);
    ++rowCount_;
}

void RowPageSequence::closeOpenPage() {
    file_.write(openNumber_, open_->page());
    if (open_->fits(usefulRoom_)) {
        pagesWithFreeSpace_.push_back(openNumber_);
    }
    open_.reset();
}

void RowPageSequence::finish() {
    if (open_) {
        closeOpenPage();
    }
}

} // namespace jet_writer
