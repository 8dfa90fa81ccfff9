#include "catalogue/search_busy.h"

namespace catalogue {
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

} // namespace catalogue
