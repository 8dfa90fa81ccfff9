// orvane-read-catalogue FILE TABLE FIELD...
// Reads the fields of a table of a catalogue file and writes its rows to standard output as a
// row stream. The program runs it for every catalogue it reads, so that a damaged file that
// upsets the Jet library ends this helper rather than the program.

#include "catalogue/catalogue_export.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#elif defined(__linux__)
#include <fcntl.h>
#endif

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage : orvane-read-catalogue FICHIER TABLE CHAMP...\n", stderr);
        return 2;
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#elif defined(__linux__)
    // A larger pipe lets the reader run ahead of the program instead of waiting on it.
    fcntl(fileno(stdout), F_SETPIPE_SZ, 1 << 20);
#endif
    const std::vector<std::string> fields(argv + 3, argv + argc);
    bool written = true;
    catalogue::RowStreamWriter out([&written](std::string_view bytes) {
        written = written && std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    });
    catalogue::ExportCatalogueTable(argv[1], argv[2], fields, out);
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
