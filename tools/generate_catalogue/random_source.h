#pragma once
// The generator's randomness: a 64-bit Mersenne Twister, whose sequence the C++ standard fixes,
// and bounded draws of our own (the standard distributions differ between libraries), so a
// seed gives the same catalogue everywhere.

#include <cstdint>
#include <random>

namespace generator {

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed) : engine_(seed) {}

    // A number in [0, bound), bound > 0.
    std::uint64_t below(std::uint64_t bound) { return engine_() % bound; }
    // True with probability numerator / denominator, denominator > 0.
    bool chance(std::uint64_t numerator, std::uint64_t denominator) {
        return below(denominator) < numerator;
    }

private:
    std::mt19937_64 engine_;
};

} // namespace generator
