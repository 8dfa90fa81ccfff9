#pragma once
// The catalogue read last, shared by every data control of the process. A table's rows are read
// once and kept while its file stays the same (same path, inode, size, modification and change
// time); a changed or replaced file, or another table, is read afresh and takes its place. A read
// that found the file damaged is kept the same way, so an unchanged damaged file is refused at
// once; one that could not read the file this time (its medium did not answer or failed, its
// reader did not start or was ended) is not, and the next call reads again. Reading runs in a
// separate helper program, bounded in memory and time, so that a damaged file that upsets the Jet
// library can only end that helper, never this program. The calling thread never touches the
// file itself: while a slow medium keeps other threads waiting, it runs its own step, such as the
// window's event pump. Paths are UTF-8.

#include "catalogue/catalogue_table.h"
#include "catalogue/pending_table.h"
#include "catalogue/read_watchdog.h"
#include "catalogue/reader_limits.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace catalogue {

// Starts reading table Index of the catalogue at path in the background. A later
// OpenCatalogueTable of the same, unchanged file waits for this read and uses it. Failures are
// kept for that later call to report.
void PreloadCatalogue(const std::string& path);

// Checks that the file is there, readable and a Jet database; throws CatalogueError otherwise.
// While it waits for the file's medium it calls whileWaiting every few milliseconds, when given.
void CheckCatalogueFile(const std::string& path, const std::function<void()>& whileWaiting = {});

// The rows of a table of the catalogue at path (the displayed fields), read now or taken from an
// earlier read of the unchanged file. While it waits for the read it calls whileWaiting every few
// milliseconds, when given. Throws CatalogueError.
std::shared_ptr<CatalogueTable> OpenCatalogueTable(const std::string& path,
                                                   const std::string& table,
                                                   const std::function<void()>& whileWaiting = {});

// The rows of a table as a recordset opens them: the whole table when it is held, or else one
// whose rows the helper is still sending, once it has opened the table.
struct TableSource {
    std::shared_ptr<CatalogueTable> whole;
    std::shared_ptr<PendingTable> pending;
};

// As OpenCatalogueTable, but without waiting for the rows: a failure found in them comes from
// the pending table.
TableSource OpenCatalogueSource(const std::string& path, const std::string& table,
                                const std::function<void()>& whileWaiting = {});

// How many times a catalogue table was read from its file since the program started.
std::size_t CatalogueReadCount();

// The helper program that reads catalogues; by default orvane-read-catalogue beside the
// program file. Tests, whose programs live elsewhere, name it here.
void SetCatalogueReaderProgram(const std::filesystem::path& program);

// How long a read may go without progress: the processor time the helper may spend without
// sending anything before its read counts as stuck on a damaged file (3 s by default), and the
// time a read may wait for the file's medium before it is given up for now (a minute).
void SetCatalogueReadPatience(ReadPatience patience);

// The helper's memory and processor time, the same for every file; nullopt restores the limits
// sized from each file. For tests, which need not wait for a damaged file to reach the full ones.
void SetCatalogueReadLimits(std::optional<ReaderLimits> limits);

} // namespace catalogue
