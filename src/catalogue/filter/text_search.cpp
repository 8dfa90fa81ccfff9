#include "catalogue/filter/text_search.h"

#include <cstring>

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#define ORVANE_TEXT_SEARCH_AVX2 1
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

#if defined(ORVANE_TEXT_SEARCH_AVX2)
// The places among 32 from at where the needle's first and last bytes are right, as bits.
__attribute__((target("avx2"))) std::uint32_t
candidates32(const char* at, std::ptrdiff_t lastOffset, __m256i first, __m256i last) {
    const __m256i heads = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
    const __m256i tails = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + lastOffset));
    return std::uint32_t(_mm256_movemask_epi8(
        _mm256_and_si256(_mm256_cmpeq_epi8(heads, first), _mm256_cmpeq_epi8(tails, last))));
}

// findWide's way, 64 places at a time in 32-byte registers, on processors that have them.
__attribute__((target("avx2"))) const char* findWider(const char* from, const char* end,
                                                      std::string_view needle) {
    constexpr std::ptrdiff_t kStep = 64;
    const __m256i first = _mm256_set1_epi8(needle.front());
    const __m256i last = _mm256_set1_epi8(needle.back());
    const std::ptrdiff_t lastOffset = std::ptrdiff_t(needle.size()) - 1;
    const char* at = from;
    for (; end - at - lastOffset >= kStep; at += kStep) {
        for (std::uint64_t places = candidates32(at, lastOffset, first, last) |
                                    std::uint64_t(candidates32(at + 32, lastOffset, first, last))
                                        << 32;
             places != 0; places &= places - 1) {
            const char* candidate = at + std::countr_zero(places);
            if (matchesInside(candidate, needle)) {
                return candidate;
            }
        }
    }
    return findWide(at, end, needle);
}
#endif

} // namespace

std::vector<TextFinder> TextFinders() {
    std::vector<TextFinder> finders;
#if defined(__SSE2__)
    finders.push_back(findWide);
#else
    finders.push_back(findBytewise);
#endif
#if defined(ORVANE_TEXT_SEARCH_AVX2)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) {
        finders.push_back(findWider);
    }
#endif
    return finders;
}

const char* FindText(const char* from, const char* end, std::string_view needle) {
    if (needle.empty()) {
        return from <= end ? from : nullptr;
    }
    if (end - from < std::ptrdiff_t(needle.size())) {
        return nullptr;
    }
    static const TextFinder widest = TextFinders().back();
    return widest(from, end, needle);
}

} // namespace catalogue::filter
