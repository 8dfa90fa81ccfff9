#include "catalogue/filter/text_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace catalogue::filter {
namespace {

// Whether the bytes at at are the needle, its first and last bytes being known to match.
bool matchesInside(const char* at, std::string_view needle) {
    return needle.size() <= 2 || std::memcmp(at + 1, needle.data() + 1, needle.size() - 2) == 0;
}

const char* findBytewise(const char* from, const char* end, std::string_view needle) {
    const char* const lastStart = end - needle.size();
    for (const char* at = from; at <= lastStart; ++at) {
        at = static_cast<const char*>(
            std::memchr(at, needle.front(), std::size_t(lastStart - at) + 1));
        if (at == nullptr) {
            return nullptr;
        }
        if (at[needle.size() - 1] == needle.back() && matchesInside(at, needle)) {
            return at;
        }
    }
    return nullptr;
}

#if defined(__SSE2__)
// 32 places at a time: two 16-byte blocks of first-byte tests and two of last-byte tests.
const char* findWide(const char* from, const char* end, std::string_view needle) {
    constexpr std::ptrdiff_t kStep = 32;
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    const std::ptrdiff_t lastOffset = std::ptrdiff_t(needle.size()) - 1;
    const char* at = from;
    for (; end - at - lastOffset >= kStep; at += kStep) {
        const auto block = [&](std::ptrdiff_t offset) {
            const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + offset));
            const __m128i tails =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + offset + lastOffset));
            return unsigned(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last))));
        };
        for (unsigned places = block(0) | block(16) << 16; places != 0; places &= places - 1) {
            const char* candidate = at + __builtin_ctz(places);
            if (matchesInside(candidate, needle)) {
                return candidate;
            }
        }
    }
    return findBytewise(at, end, needle);
}
#endif

} // namespace

const char* FindText(const char* from, const char* end, std::string_view needle) {
    if (needle.empty()) {
        return from <= end ? from : nullptr;
    }
    if (end - from < std::ptrdiff_t(needle.size())) {
        return nullptr;
    }
#if defined(__SSE2__)
    return findWide(from, end, needle);
#else
    return findBytewise(from, end, needle);
#endif
}

} // namespace catalogue::filter
