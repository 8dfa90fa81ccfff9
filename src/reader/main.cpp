// orvane-read-catalogue MEMORY SECONDS FILE TABLE FIELD...
// Reads the fields of a table of a catalogue file and writes its rows to standard output as a
// row stream, within MEMORY bytes of address space and SECONDS of processor time. The program
// runs it for every catalogue it reads, so that a damaged file that upsets the Jet library ends
// this helper rather than the program.

#include "catalogue/reader_limits.h"
#include "reader/catalogue_export.h"
#include "reader/helper_process.h"
#include "system/child_process.h"
#include "system/program_arguments.h"
#include "system/utf8_path.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments = sys::ProgramArguments(argc, argv);
    const auto limits = arguments.size() >= 5 ? catalogue::ParseLimitArguments(arguments[0].c_str(),
                                                                               arguments[1].c_str())
                                              : std::nullopt;
    if (!limits) {
        std::fputs("usage : orvane-read-catalogue MÉMOIRE SECONDES FICHIER TABLE CHAMP...\n",
                   stderr);
        return 2;
    }
    sys::BoundThisProcess(limits->memoryBytes, limits->processorTime);
    // libmdb prints to standard output on some damaged files: the rows take another way.
    std::FILE* channel = reader::TakeStandardOutputAsChannel();
    if (channel == nullptr) {
        return 1;
    }
    const std::vector<std::string> fields(arguments.begin() + 4, arguments.end());
    bool written = true;
    catalogue::RowStreamWriter out([&written, channel](std::string_view bytes) {
        written = written && std::fwrite(bytes.data(), 1, bytes.size(), channel) == bytes.size();
    });
    reader::ExportCatalogueTable(sys::PathFromUtf8(arguments[2]), arguments[3], fields, out);
    return written && std::fflush(channel) == 0 ? 0 : 1;
}
