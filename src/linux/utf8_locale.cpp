#include "linux/utf8_locale.h"

#ifndef _WIN32
#include <clocale>
#include <langinfo.h>
#include <string>
#include <strings.h>
#endif

namespace platform {

#ifdef _WIN32
// Windows takes window titles as UTF-16: the locale plays no part.
void EnsureUtf8CharacterType() {}
#else
namespace {

bool isUtf8(const char* codeset) {
    return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0;
}

} // namespace

void EnsureUtf8CharacterType() {
    if (isUtf8(nl_langinfo(CODESET))) {
        return;
    }
    // The same language in UTF-8 first (fr_FR.ISO-8859-1 becomes fr_FR.UTF-8), then the C
    // library's own UTF-8 locale, which needs no locale files.
    std::string language = std::setlocale(LC_CTYPE, nullptr);
    language = language.substr(0, language.find_first_of(".@"));
    for (const std::string& name : {language + ".UTF-8", std::string("C.UTF-8")}) {
        if (std::setlocale(LC_CTYPE, name.c_str()) != nullptr) {
            return;
        }
    }
}
#endif

} // namespace platform
