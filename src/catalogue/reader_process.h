#pragma once
// Runs the catalogue reader (orvane-read-catalogue) on one table of a catalogue file and takes
// its rows from the helper's output. A helper that crashes, runs out of its memory or processor
// time, stops sending for longer than the quiet limit, sends more than the file can hold or sends
// anything malformed means a damaged catalogue: CatalogueError names the file.

#include "catalogue/catalogue_error.h"
#include "catalogue/catalogue_rows.h"
#include "catalogue/reader_limits.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace catalogue {

struct ReaderRequest {
    std::filesystem::path program; // the helper program
    std::filesystem::path file;    // the catalogue file
    std::string table;
    std::vector<std::string> fields;
    std::chrono::milliseconds quietLimit; // longest wait for the helper's next bytes
    ReaderLimits limits;
};

// Thrown when cancelled() answered true; the read is abandoned and the helper stopped.
struct ReadCancelled {};

// The helper program could not be started at all: nothing is known of the file itself.
class ReaderNotStarted : public CatalogueError {
    using CatalogueError::CatalogueError;
};

// Throws CatalogueError (ReaderNotStarted among them), or ReadCancelled.
CatalogueRows ReadWithHelper(const ReaderRequest& request, const std::function<bool()>& cancelled);

} // namespace catalogue
