#pragma once
// Runs the catalogue reader (orvane-read-catalogue) on one table of a catalogue file and takes
// its rows from the helper's output. A helper that crashes, runs out of its memory or processor
// time, spends processor time without sending anything, sends more than the file can hold or
// sends anything malformed means a damaged catalogue: CatalogueError names the file. A helper
// that waits for its medium without sending anything is given far longer; past that, or when the
// medium fails or the helper is ended from outside, CatalogueUnavailable says that the file could
// not be read this time.

#include "catalogue/catalogue_error.h"
#include "catalogue/catalogue_rows.h"
#include "catalogue/read_watchdog.h"
#include "catalogue/reader_limits.h"
#include "catalogue/table_reading.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace catalogue {

struct ReaderRequest {
    std::filesystem::path program; // the helper program
    std::filesystem::path file;    // the catalogue file
    std::uint64_t fileSize;        // as the store found it
    std::string table;
    std::vector<std::string> fields;
    ReadPatience patience; // how long the helper may go without sending
    ReaderLimits limits;
};

// Thrown when cancelled() answered true; the read is abandoned and the helper stopped.
struct ReadCancelled {};

// The helper program could not be started at all: nothing is known of the file itself.
class ReaderNotStarted : public CatalogueUnavailable {
    using CatalogueUnavailable::CatalogueUnavailable;
};

// The file's medium gave nothing for longer than a read waits.
CatalogueUnavailable MediumNotAnswering(const std::filesystem::path& file);
// The read was given up for another before it ended.
CatalogueUnavailable ReadInterrupted(const std::filesystem::path& file);

// Tells reading when the helper has opened the table and what it answers, and lets other threads
// ask it through reading while it runs; disconnects it before returning. Throws CatalogueError
// (ReaderNotStarted among them), or ReadCancelled.
CatalogueRows ReadWithHelper(const ReaderRequest& request, const std::function<bool()>& cancelled,
                             TableReading& reading);

} // namespace catalogue
