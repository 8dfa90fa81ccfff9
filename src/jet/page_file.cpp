#include "jet/page_file.h"

#include <string>

namespace jet {

PageFile::PageFile(ByteSpan file) : file_(file), info_(ReadDatabasePage(file)) {}

ByteSpan PageFile::Page(std::uint32_t number) const {
    if (number == 0 || number >= info_.pageCount) {
        throw FormatError::Damaged("une référence mène hors du fichier (page " +
                                   std::to_string(number) + ")");
    }
    return file_.subspan(std::size_t(number) * pageSize(), pageSize());
}

ByteSpan PageFile::PageOfType(std::uint32_t number, PageType type, const char* what) const {
    return CheckPageOfType(number, Page(number), type, what);
}

ByteSpan PageFile::CheckPageOfType(std::uint32_t number, ByteSpan page, PageType type,
                                   const char* what) const {
    if (page.size() != pageSize()) {
        throw FormatError::Damaged(std::string(what) + " renvoie à une page incomplète (page " +
                                   std::to_string(number) + ")");
    }
    if (page[0] != static_cast<std::uint8_t>(type)) {
        throw FormatError::Damaged(std::string(what) +
                                   " renvoie à une page d'un autre type (page " +
                                   std::to_string(number) + ")");
    }
    return page;
}

} // namespace jet
