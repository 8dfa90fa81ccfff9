#pragma once
// The matches of a filter as the reading helper answered them: every matching row of the table,
// known at once, so that each find is a lookup. Answers the questions a match list answers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace catalogue {

class AnsweredMatches {
public:
    // rows: ascending row indices; they must outlive this.
    explicit AnsweredMatches(std::span<const std::uint32_t> rows) : rows_(rows) {}

    std::optional<std::size_t> first() const;
    std::optional<std::size_t> last() const;
    // The first match after row, and the last one before it.
    std::optional<std::size_t> after(std::size_t row) const;
    std::optional<std::size_t> before(std::size_t row) const;

private:
    std::span<const std::uint32_t> rows_;
};

} // namespace catalogue
