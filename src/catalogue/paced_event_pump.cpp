#include "catalogue/paced_event_pump.h"

#include "platform/runtime_services.h"

namespace catalogue {

PacedEventPump::PacedEventPump() {
    sinceLastPump_.start();
}

void PacedEventPump::Tick() {
    if (sinceLastPump_.hasExpired(kInterval.count())) {
        platform::DoEvents();
        sinceLastPump_.restart();
    }
}

} // namespace catalogue
