#include "platform/jet/jet_names.h"

#include <QString>

namespace platform {

bool SameJetName(std::string_view a, std::string_view b) {
    return QString::fromUtf8(a.data(), qsizetype(a.size()))
               .compare(QString::fromUtf8(b.data(), qsizetype(b.size())), Qt::CaseInsensitive) == 0;
}

} // namespace platform
