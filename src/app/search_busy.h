#pragma once
// Whether a search is running. The search pumps events while it counts, so the window stays
// responsive; Enter in the search box and the arrows look here and stay quiet meanwhile, since
// a search or a move started half-way would work on the running search's half-built result.

namespace app {

bool SearchRunning();

// Marks a search as running for the lifetime of the object.
class SearchRunningScope {
public:
    SearchRunningScope();
    ~SearchRunningScope();
    SearchRunningScope(const SearchRunningScope&) = delete;
    SearchRunningScope& operator=(const SearchRunningScope&) = delete;

private:
    bool wasRunning_;
};

} // namespace app
