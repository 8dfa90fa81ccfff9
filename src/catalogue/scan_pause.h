#pragma once
// What a long scan of a table does between its pieces, so that the window can go on painting
// and answering while a search goes through a large catalogue. Nothing by default; the search
// installs an event pump for as long as it runs.

#include <functional>
#include <utility>

namespace catalogue {

// Called by scans between pieces of a few hundred kilobytes or a few thousand rows.
void PauseScan();

// Makes pause what PauseScan does for the lifetime of the object, then restores the previous.
class ScanPauseScope {
public:
    explicit ScanPauseScope(std::function<void()> pause);
    ~ScanPauseScope();
    ScanPauseScope(const ScanPauseScope&) = delete;
    ScanPauseScope& operator=(const ScanPauseScope&) = delete;

private:
    std::function<void()> previous_;
};

} // namespace catalogue
