#include "app/search_busy.h"

namespace app {
namespace {

bool running = false;

} // namespace

bool SearchRunning() {
    return running;
}

SearchRunningScope::SearchRunningScope() : wasRunning_(running) {
    running = true;
}

SearchRunningScope::~SearchRunningScope() {
    running = wasRunning_;
}

} // namespace app
