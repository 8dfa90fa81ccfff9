#pragma once
// The counter between the arrows: the shown match's number, a slash and the number of matches,
// each as its plain decimal digits ("1/12", "10/12", "0/0").

#include <cstdint>
#include <string>

namespace catalogue {

std::string CounterText(std::int64_t position, std::int64_t total);

} // namespace catalogue
