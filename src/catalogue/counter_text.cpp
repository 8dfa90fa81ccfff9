#include "catalogue/counter_text.h"

namespace catalogue {

QString Digits(std::int64_t number) {
    return QString::number(number);
}

QString CounterText(std::int64_t position, std::int64_t total) {
    return Digits(position) + u'/' + Digits(total);
}

} // namespace catalogue
