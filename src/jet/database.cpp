#include "jet/database.h"

#include "jet/name_folding.h"
#include "jet/table_rows.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <exception>
#include <numeric>
#include <thread>

namespace jet {
namespace {

constexpr std::string_view kCatalogueColumns[] = {"Id", "Name", "Type", "Flags"};

template <typename Integer> Integer ParsedInteger(const Field& field) {
    Integer value = 0;
    if (!field.null) {
        std::from_chars(field.text.data(), field.text.data() + field.text.size(), value);
    }
    return value;
}

std::vector<std::size_t> CatalogueColumns(const TableDefinition& objects) {
    std::vector<std::size_t> columns;
    for (const std::string_view name : kCatalogueColumns) {
        const std::ptrdiff_t index = FindColumn(objects, name);
        if (index < 0) {
            throw FormatError::Damaged("le catalogue des tables n'a pas de colonne " +
                                       Quoted(std::string(name)));
        }
        columns.push_back(static_cast<std::size_t>(index));
    }
    return columns;
}

bool IsTable(std::int16_t type) {
    return type == catalogue::kLocalTable || type == catalogue::kLinkedTable ||
           type == catalogue::kLinkedOdbcTable;
}

} // namespace

Database::Database(ByteSpan file) : file_(file) {
    ReadCatalogue();
}

void Database::ReadCatalogue() {
    const TableDefinition objects = ReadTableDefinition(file_, kCatalogueDefinitionPage);
    RowDecoder decoder(file_, objects, CatalogueColumns(objects));
    const TableRows rows(file_, objects);
    rows.ReadAll([&](ByteSpan row) {
        const std::span<const Field> fields = decoder.Decode(row);
        const auto type = ParsedInteger<std::int16_t>(fields[2]);
        if (IsTable(type)) {
            catalogue_.push_back(
                {std::string(fields[1].text), ParsedInteger<std::int32_t>(fields[0]), type,
                 static_cast<std::uint32_t>(ParsedInteger<std::int64_t>(fields[3]))});
        }
    });
}

std::vector<std::string> Database::TableNames() const {
    std::vector<std::string> names;
    for (const CatalogueEntry& entry : catalogue_) {
        if (entry.type == catalogue::kLocalTable &&
            (entry.flags & catalogue::kSystemObjectFlags) == 0) {
            names.push_back(entry.name);
        }
    }
    return names;
}

TableDefinition Database::Table(std::string_view name) const {
    for (const CatalogueEntry& entry : catalogue_) {
        if (!SameName(entry.name, name)) {
            continue;
        }
        if (entry.type != catalogue::kLocalTable) {
            throw FormatError::Unsupported("la table " + Quoted(entry.name) +
                                           " est liée à une autre base");
        }
        return ReadTableDefinition(file_,
                                   static_cast<std::uint32_t>(entry.id) & catalogue::kIdPageMask);
    }
    throw FormatError::TableMissing(std::string(name));
}

void Database::ReadRows(const TableDefinition& table, std::span<const std::size_t> columns,
                        RowSink& sink) const {
    RowDecoder decoder(file_, table, std::vector<std::size_t>(columns.begin(), columns.end()));
    const TableRows rows(file_, table);
    rows.ReadAll([&](ByteSpan row) { sink.Row(decoder.Decode(row)); });
}

void Database::ReadRowsInParts(const TableDefinition& table, std::span<const std::size_t> columns,
                               std::span<RowSink* const> sinks) const {
    const TableRows rows(file_, table);
    const std::vector<std::uint32_t>& pages = rows.pages();
    const std::size_t parts = std::max<std::size_t>(sinks.size(), 1);
    std::vector<std::exception_ptr> failures(parts);
    std::atomic<std::uint64_t> count{0};
    const auto readPart = [&](std::size_t part) {
        try {
            RowDecoder decoder(file_, table,
                               std::vector<std::size_t>(columns.begin(), columns.end()));
            const std::size_t first = pages.size() * part / parts;
            const std::size_t last = pages.size() * (part + 1) / parts;
            std::uint64_t read = 0;
            for (std::size_t i = first; i < last; ++i) {
                read += rows.ReadPage(pages[i],
                                      [&](ByteSpan row) { sinks[part]->Row(decoder.Decode(row)); });
            }
            count += read;
        } catch (...) {
            failures[part] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    for (std::size_t part = 1; part < sinks.size(); ++part) {
        threads.emplace_back(readPart, part);
    }
    if (!sinks.empty()) {
        readPart(0);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    rows.CheckCount(count);
}

void Database::ReadRows(const TableDefinition& table, RowSink& sink) const {
    std::vector<std::size_t> columns(table.columns.size());
    std::iota(columns.begin(), columns.end(), std::size_t{0});
    ReadRows(table, columns, sink);
}

} // namespace jet
