#include "app/module3.h"

namespace Module3 {

QString critere;
std::int32_t total = 0;
std::int32_t position = 0;

} // namespace Module3
