#include "catalogue/counter_text.h"

namespace catalogue {

std::string CounterText(std::int64_t position, std::int64_t total) {
    return std::to_string(position) + '/' + std::to_string(total);
}

} // namespace catalogue
