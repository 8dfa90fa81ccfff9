// Writes a copy of a good Jet 4 file damaged so that the Jet library loops for ever while it
// opens the copy, for tests that run the whole program.
// Usage: damage_catalogue GOOD-FILE COPY grows|spins

#include "damaged_catalogues.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[3], "grows") != 0 && std::strcmp(argv[3], "spins") != 0)) {
        std::fputs("usage: damage_catalogue GOOD-FILE COPY grows|spins\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        std::fprintf(stderr, "damage_catalogue: cannot read %s\n", argv[1]);
        return 1;
    }
    try {
        const std::string damaged = damage::LoopInProperties(damage::WithTableProperties(good),
                                                             std::strcmp(argv[3], "grows") == 0);
        std::ofstream out(argv[2], std::ios::binary);
        if (!out.write(damaged.data(), std::streamsize(damaged.size()))) {
            std::fprintf(stderr, "damage_catalogue: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "damage_catalogue: %s: %s\n", argv[1], error.what());
        return 1;
    }
    return 0;
}
