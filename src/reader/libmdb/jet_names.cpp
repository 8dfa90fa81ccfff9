#include "reader/libmdb/jet_names.h"

#include "catalogue/filter/fold_case.h"

namespace reader {

bool SameJetName(std::string_view a, std::string_view b) {
    return catalogue::filter::FoldCase(a) == catalogue::filter::FoldCase(b);
}

} // namespace reader
