// Reads the table Index of a catalogue file through our libmdb reader, as the program does,
// and prints the rows read and the time taken.
// Usage: catalogue_read_bench base.MDB

#include "reader/libmdb/jet_database.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: catalogue_read_bench base.MDB\n", stderr);
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        reader::JetDatabase database(argv[1]);
        reader::JetTable table = database.openTable("Index");
        const reader::JetRows rows = table.readAll({"Nom", "cd", "Description"});
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("%zu rows, %zu bytes of text, read in %.3f s\n", rows.rowCount(),
                    rows.textBytes(), elapsed.count());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "catalogue_read_bench: %s\n", error.what());
        return 1;
    }
}
