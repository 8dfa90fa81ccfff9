// orvane-read-catalogue MEMORY SECONDS FILE TABLE FIELD...
// Reads the fields of a table of a catalogue file and writes its rows to standard output as a
// row stream, within MEMORY bytes of address space and SECONDS of processor time, answering in it
// the filter requests that come on standard input meanwhile. The program runs it for every
// catalogue it reads, so that a damaged file that upsets the reader in a way its checks missed
// ends this helper rather than the program.

#include "catalogue/jet_error.h"
#include "catalogue/reader_limits.h"
#include "reader/catalogue_export.h"
#include "reader/filter_requests.h"
#include "reader/helper_process.h"
#include "reader/mapping_fault.h"
#include "system/child_process.h"
#include "system/program_arguments.h"
#include "system/utf8_path.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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
    // Nothing but the rows may reach the program: whatever else prints goes nowhere.
    std::FILE* channel = reader::TakeStandardOutputAsChannel();
    if (channel == nullptr) {
        return 1;
    }
    // Each piece of the stream goes out whole at once, so that a fault while reading the mapped
    // file finds only whole frames sent, and can add its own.
    std::setvbuf(channel, nullptr, _IONBF, 0);
    reader::ReportMappingFaults(
        fileno(channel),
        catalogue::RowStreamWriter::UnavailableFrame(
            catalogue::JetError::unreadable(sys::PathFromUtf8(arguments[2]), EIO).what()));
    const std::vector<std::string> fields(arguments.begin() + 4, arguments.end());
    bool written = true;
    catalogue::RowStreamWriter out([&written, channel](std::string_view bytes) {
        written = written && std::fwrite(bytes.data(), 1, bytes.size(), channel) == bytes.size();
    });
    const std::shared_ptr<reader::FilterRequests> requests =
        reader::ReadFilterRequests(reader::TakeStandardInputAsRequests());
    reader::ExportCatalogueTable(sys::PathFromUtf8(arguments[2]), arguments[3], fields, out,
                                 requests.get());
    // Ended without the C library's cleanup of its streams: the thread reading requests may be
    // waiting in standard input, which the cleanup would take hold of.
    std::_Exit(written && std::fflush(channel) == 0 ? 0 : 1);
}
