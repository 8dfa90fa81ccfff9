#pragma once
// The error raised for a filter that cannot be read or bound. Its text is French and can be
// shown to the user as it is.

#include <stdexcept>
#include <string>
#include <string_view>

namespace catalogue::filter {

class FilterError : public std::runtime_error {
    using runtime_error::runtime_error;
};

// Every filter error reads "Filtre incorrect : " followed by what is wrong.
inline FilterError IncorrectFilter(std::string_view detail) {
    return FilterError("Filtre incorrect : " + std::string(detail));
}

} // namespace catalogue::filter
