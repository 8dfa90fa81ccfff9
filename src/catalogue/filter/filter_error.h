#pragma once
// The error raised for a filter that cannot be read or bound. Its text is French and can be
// shown to the user as it is.

#include "catalogue/filter/utf8.h"
#include "catalogue/quoted.h"

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

// A piece of the filter as quoted in a message, cut short when long.
inline std::string QuotedPiece(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::size_t end = 0;
    for (std::size_t shown = 0; end < text.size() && shown < kShown; ++shown) {
        end = utf8::NextUnit(text, end);
    }
    return catalogue::Quoted(std::string(text.substr(0, end)) + (end < text.size() ? "…" : ""));
}

} // namespace catalogue::filter
