#include "temp_folder.h"

#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

TempFolder::TempFolder() {
    static std::atomic<unsigned> made = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    // The stamp keeps test programs running side by side apart; the count, folders of one.
    for (;;) {
        path_ = std::filesystem::temp_directory_path() /
                ("orvane-test-" + std::to_string(stamp) + "-" + std::to_string(made++));
        if (std::filesystem::create_directory(path_)) {
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
