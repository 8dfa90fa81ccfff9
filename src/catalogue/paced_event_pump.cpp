#include "catalogue/paced_event_pump.h"

namespace catalogue {

PacedEventPump::PacedEventPump(SearchWindow& window) : window_(window) {
    sinceLastPump_.start();
}

void PacedEventPump::Tick() {
    if (sinceLastPump_.hasExpired(kInterval.count())) {
        window_.DoEvents();
        sinceLastPump_.restart();
    }
}

} // namespace catalogue
