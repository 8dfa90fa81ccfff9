// The table's rows read on several threads reach the stream in the table's order, whatever the
// number of threads; damage in a later run stops the read with the rows before it sent, and a
// read the system refuses comes through as what it is.

#include "catalogue/catalogue_rows.h"
#include "catalogue/row_stream.h"
#include "jet/database.h"
#include "jet/table_rows.h"
#include "jet_test_files.h"
#include "reader/ordered_rows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <system_error>

namespace {

const std::vector<std::string> kFields{"Nom", "cd", "Description"};

class OrderedRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Enough rows for many runs of pages.
        bytes = jet_test::readFile(jet_test::buildFrom(folder, jet_test::manyEntries(20000)));
    }

    jet::ByteSpan file() const {
        return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    }

    reader::CopyOut copyOut() const {
        return [this](std::uint64_t offset, std::span<std::byte> into) {
            ASSERT_LE(offset + into.size(), bytes.size());
            std::memcpy(into.data(), bytes.data() + offset, into.size());
        };
    }

    // The rows sent with that many threads, into rows; answers the count SendRowsInOrder gave.
    std::uint64_t send(std::size_t threads, catalogue::CatalogueRows& rows,
                       const reader::CopyOut& copy) const {
        const jet::Database database(file());
        const jet::TableDefinition table = database.Table("Index");
        const std::vector<std::size_t> columns{0, 1, 2};
        catalogue::RowStreamReader stream(rows);
        catalogue::RowStreamWriter out([&stream](std::string_view piece) { stream.feed(piece); });
        return reader::SendRowsInOrder(database, table, columns, threads, copy, out);
    }

    // The numbers of the table's data pages, in the order they are read.
    std::vector<std::uint32_t> dataPages() const {
        const jet::Database database(file());
        const jet::TableDefinition table = database.Table("Index");
        return jet::TableRows(database.pages(), table).pages();
    }

    jet_test::TempFolder folder;
    std::string bytes;
};

} // namespace

TEST_F(OrderedRowsTest, RowsComeInTheTablesOrderWhateverTheThreads) {
    ASSERT_GT(dataPages().size(), 100u) << "the table should span several runs of pages";
    for (const std::size_t threads : {1, 2, 3, 4, 7}) {
        catalogue::CatalogueRows rows(kFields);
        EXPECT_EQ(send(threads, rows, copyOut()), 20000u) << threads;
        ASSERT_EQ(rows.rowCount(), 20000u) << threads;
        for (const std::size_t row : {0, 1, 4999, 10000, 19999}) {
            const std::string number = std::to_string(row + 1);
            EXPECT_EQ(rows.value(row, 0), "Jeu " + number) << threads;
            EXPECT_EQ(rows.value(row, 2), "Un jeu de société numéro " + number) << threads;
        }
    }
}

// A page late in the table announces more rows than a page holds: what came before it is sent,
// nothing after it, and the damage is what the read ends with.
TEST_F(OrderedRowsTest, DamageInALaterRunEndsTheReadAfterTheRowsBeforeIt) {
    const std::vector<std::uint32_t> pages = dataPages();
    const jet::Database database(file());
    const std::size_t pageSize = database.pages().pageSize();
    const std::size_t countAt = database.pages().layout().dataRowCountOffset;
    const std::size_t damaged = pages.size() * 3 / 4;
    bytes[pages[damaged] * pageSize + countAt] = '\xff';
    bytes[pages[damaged] * pageSize + countAt + 1] = '\x7f';
    for (const std::size_t threads : {1, 4}) {
        catalogue::CatalogueRows rows(kFields);
        try {
            send(threads, rows, copyOut());
            ADD_FAILURE() << "the damage went unseen with " << threads << " threads";
        } catch (const jet::FormatError& error) {
            EXPECT_EQ(error.kind(), jet::FormatError::Kind::Damaged) << error.detail();
        }
        EXPECT_GT(rows.rowCount(), 0u) << threads;
        EXPECT_LT(rows.rowCount(), 20000u * damaged / pages.size()) << threads;
        // Whatever was sent is the table's start, in order.
        const std::size_t last = rows.rowCount() - 1;
        EXPECT_EQ(rows.value(last, 0), "Jeu " + std::to_string(last + 1)) << threads;
    }
}

TEST_F(OrderedRowsTest, AReadTheSystemRefusesComesThroughAsSuch) {
    const reader::CopyOut failing = [](std::uint64_t, std::span<std::byte>) {
        throw std::system_error(EIO, std::generic_category());
    };
    catalogue::CatalogueRows rows(kFields);
    EXPECT_THROW(send(3, rows, failing), std::system_error);
    EXPECT_EQ(rows.rowCount(), 0u);
}
