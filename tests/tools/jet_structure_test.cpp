// The pages of files written by orvane-catalogue, inspected one by one: what libmdb does not
// check but other readers of Jet 4 files rely on (free space, row counts, usage maps, long
// values, the header).

#include "catalogue_tool/catalogue_build.h"
#include "jet/format.h"
#include "jet/little_endian.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using test_files::TempFolder;

namespace {

constexpr std::size_t pageSize = jet::kJet4PageSize;
constexpr jet::Layout layout = jet::kJet4Layout;
constexpr std::size_t rowTable = jet::data_page::kJet4HeaderSize;
constexpr auto dataPage = static_cast<int>(jet::PageType::Data);
using Pages = std::set<std::uint32_t>;

jet::ByteSpan AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}
std::uint32_t U16(std::string_view bytes, std::size_t at) {
    return jet::LoadU16(AsBytes(bytes), at);
}
std::uint32_t U32(std::string_view bytes, std::size_t at) {
    return jet::LoadU32(AsBytes(bytes), at);
}

// A Jet 4 file read page by page, without libmdb.
class JetFile {
public:
    explicit JetFile(const std::filesystem::path& path) : bytes_(test_files::readFile(path)) {}

    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(bytes_.size() / pageSize); }
    std::string_view page(std::uint32_t number) const {
        return std::string_view(bytes_).substr(number * pageSize, pageSize);
    }
    int type(std::uint32_t number) const { return static_cast<unsigned char>(page(number)[0]); }
    std::uint32_t owner(std::uint32_t number) const {
        return U32(page(number), jet::data_page::kOwnerOffset);
    }

    // The rows of a page of rows, checking that they are stacked without gaps.
    std::vector<std::string_view> rows(std::uint32_t number) const {
        const std::string_view bytes = page(number);
        const std::size_t count = U16(bytes, layout.dataRowCountOffset);
        EXPECT_LE(count, 255u) << "page " << number;
        std::vector<std::string_view> rows;
        std::size_t end = pageSize;
        for (std::size_t row = 0; row < count; ++row) {
            const std::size_t start = U16(bytes, rowTable + 2 * row);
            EXPECT_TRUE(start < end && start >= rowTable + 2 * count) << "page " << number;
            rows.push_back(bytes.substr(start, end - start));
            end = start;
        }
        return rows;
    }
    std::size_t freeSpace(std::uint32_t number) const {
        const auto stored = rows(number);
        std::size_t used = rowTable + 2 * stored.size();
        for (const std::string_view row : stored)
            used += row.size();
        return pageSize - used;
    }
    std::string_view row(std::uint32_t pointer) const {
        return rows(pointer >> 8).at(pointer & 0xff);
    }

    // The pages a usage map lists, and the bitmap pages it uses.
    Pages mapped(std::uint32_t pointer, Pages& bitmapPages) const {
        const std::string_view record = row(pointer);
        EXPECT_EQ(record.size(), 69u);
        Pages pages;
        if (record[0] == 0) {
            addBits(pages, record.substr(5), U32(record, 1));
            return pages;
        }
        for (std::uint32_t slot = 0; slot < 17; ++slot) {
            if (const std::uint32_t bitmap = U32(record, 1 + 4 * slot)) {
                EXPECT_EQ(type(bitmap), 0x05);
                bitmapPages.insert(bitmap);
                addBits(pages, page(bitmap).substr(4), slot * (pageSize - 4) * 8);
            }
        }
        return pages;
    }

private:
    static void addBits(Pages& pages, std::string_view bitmap, std::uint32_t first) {
        for (std::uint32_t bit = 0; bit < bitmap.size() * 8; ++bit)
            if (static_cast<unsigned char>(bitmap[bit / 8]) >> (bit % 8) & 1)
                pages.insert(first + bit);
    }

    std::string bytes_;
};

std::string CatalogueCsv(int rows, int descriptionLength) {
    std::string csv = "Nom,cd,Description\n";
    for (int i = 0; i < rows; ++i) {
        const int length = i % 50 == 7 ? 30000 : i % 50 == 9 ? 1500 : descriptionLength;
        csv += "Titre " + std::to_string(i) + ",CD" + std::to_string(i) + "," +
               std::string(static_cast<std::size_t>(length), 'a' + i % 26) + "\n";
    }
    return csv;
}

struct Sample {
    const char* name;
    int rows;
    int descriptionLength;
};

void PrintTo(const Sample& sample, std::ostream* out) {
    *out << sample.name;
}

class JetStructure : public testing::TestWithParam<Sample> {
protected:
    void SetUp() override {
        test_files::writeFile(folder_ / "c.csv",
                              CatalogueCsv(GetParam().rows, GetParam().descriptionLength));
        jet_writer::BuildCatalogue(folder_ / "c.csv", folder_ / "base.MDB");
        file_ = std::make_unique<JetFile>(folder_ / "base.MDB");
    }

    // Table definition pages by table name, from MSysObjects (definition on page 2).
    std::map<std::string, std::uint32_t> tables() const {
        std::map<std::string, std::uint32_t> tables;
        for (std::uint32_t number : file_->mapped(
                 U32(file_->page(jet::kCatalogueDefinitionPage), layout.definitionUsageMap),
                 bitmaps_)) {
            for (const std::string_view row : file_->rows(number)) {
                // Fixed part: Id at 2, Type at 10; Name is the first variable value.
                const std::size_t count = U16(row, row.size() - 5);
                const std::size_t nameStart = U16(row, row.size() - 5 - 2);
                const std::size_t nameEnd = U16(row, row.size() - 5 - 4);
                EXPECT_EQ(count, 11u);
                std::string name;
                for (std::size_t i = nameStart; i < nameEnd; i += 2)
                    name += row[i];
                if (U16(row, 10) == 1)
                    tables[name] = U32(row, 2);
            }
        }
        return tables;
    }

    TempFolder folder_;
    std::unique_ptr<JetFile> file_;
    mutable Pages bitmaps_;
};

} // namespace

TEST_P(JetStructure, PagesOfRowsRecordTheirFreeSpace) {
    for (std::uint32_t number = 0; number < file_->pageCount(); ++number)
        if (file_->type(number) == dataPage) {
            EXPECT_EQ(U16(file_->page(number), jet::data_page::kFreeSpaceOffset),
                      file_->freeSpace(number))
                << "page " << number;
        }
}

TEST_P(JetStructure, TableDefinitionsAgreeWithTheirPages) {
    const auto tables = this->tables();
    ASSERT_EQ(tables.size(), 5u);
    for (const auto& [name, definition] : tables) {
        const std::string_view page = file_->page(definition);
        ASSERT_EQ(file_->type(definition), static_cast<int>(jet::PageType::TableDefinition))
            << name;
        EXPECT_EQ(U16(page, jet::kDefinitionFreeSpaceOffset),
                  pageSize - U32(page, jet::kDefinitionLengthOffset) -
                      jet::kDefinitionPageHeaderSize)
            << name;
        Pages owned;
        for (std::uint32_t number = 0; number < file_->pageCount(); ++number)
            if (file_->type(number) == dataPage && file_->owner(number) == definition)
                owned.insert(number);
        EXPECT_EQ(file_->mapped(U32(page, layout.definitionUsageMap), bitmaps_), owned) << name;
        std::size_t rows = 0;
        Pages withRoom;
        for (const std::uint32_t number : owned) {
            rows += file_->rows(number).size();
            if (file_->freeSpace(number) >= 15) // room for the smallest row of Index
                withRoom.insert(number);
        }
        EXPECT_EQ(U32(page, layout.definitionRowCount), rows) << name;
        if (name == "Index") {
            EXPECT_EQ(file_->mapped(U32(page, layout.definitionFreeSpaceMap), bitmaps_), withRoom);
        }
    }
}

TEST_P(JetStructure, LongValuePagesAreMapped) {
    const std::string_view index = file_->page(tables().at("Index"));
    // After the column names: column 2's two usage maps, then the end mark.
    const std::size_t maps = U32(index, jet::kDefinitionLengthOffset) - 12;
    ASSERT_EQ(U16(index, maps), 2u);
    EXPECT_EQ(U16(index, maps + 10), 0xffffu);
    Pages longValuePages;
    for (std::uint32_t number = 0; number < file_->pageCount(); ++number)
        if (file_->type(number) == dataPage &&
            file_->owner(number) == jet::data_page::kLongValueOwner)
            longValuePages.insert(number);
    EXPECT_EQ(file_->mapped(U32(index, maps + 2), bitmaps_), longValuePages);
    const Pages withRoom = file_->mapped(U32(index, maps + 6), bitmaps_);
    for (const std::uint32_t number : longValuePages)
        EXPECT_EQ(withRoom.count(number) == 1, file_->freeSpace(number) > 0) << number;
}

TEST_P(JetStructure, EveryPageIsAccountedForAndNoneIsFree) {
    Pages known = {0, 1};
    for (const auto& [name, definition] : tables()) {
        known.insert(definition);
        const std::uint32_t maps =
            jet::PointerPage(U32(file_->page(definition), layout.definitionUsageMap));
        known.insert(maps);
        for (std::uint32_t row = 0; row < file_->rows(maps).size(); ++row)
            file_->mapped(maps << 8 | row, bitmaps_); // notes the bitmap pages
    }
    for (std::uint32_t number = 0; number < file_->pageCount(); ++number)
        if (file_->type(number) == dataPage && known.count(file_->owner(number)) == 1)
            known.insert(number);
    for (std::uint32_t number = 0; number < file_->pageCount(); ++number)
        if (file_->type(number) == dataPage &&
            file_->owner(number) == jet::data_page::kLongValueOwner)
            known.insert(number);
    const Pages free = file_->mapped(1 << 8, bitmaps_); // the file's map lists free pages
    EXPECT_TRUE(free.empty() || *free.begin() == file_->pageCount());
    known.insert(bitmaps_.begin(), bitmaps_.end());
    EXPECT_EQ(known.size(), file_->pageCount());
    EXPECT_EQ(*known.rbegin(), file_->pageCount() - 1);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, JetStructure,
                         testing::Values(Sample{"small", 40, 30}, Sample{"large", 6000, 600}),
                         [](const auto& sample) { return std::string(sample.param.name); });

TEST(JetHeader, MatchesAnAccessWrittenFileButForTheDateAndPassword) {
    const std::filesystem::path access = ORVANE_FIXTURES "/DateTestDatabase.mdb";
    if (!std::filesystem::exists(access))
        GTEST_SKIP() << "no Access-written Jet 4 file at " << access;
    TempFolder folder;
    test_files::writeFile(folder / "c.csv", "Nom,cd,Description\n");
    jet_writer::BuildCatalogue(folder / "c.csv", folder / "base.MDB");
    const std::string ours = test_files::readFile(folder / "base.MDB").substr(0, pageSize);
    const std::string theirs = test_files::readFile(access).substr(0, pageSize);
    constexpr std::size_t password = 0x42;
    constexpr std::size_t date = 0x72;
    EXPECT_EQ(ours.substr(0, password), theirs.substr(0, password));
    EXPECT_EQ(ours.substr(password + 40, date - password - 40),
              theirs.substr(password + 40, date - password - 40));
    EXPECT_EQ(ours.substr(date + 8), theirs.substr(date + 8));
    // Both masks come from the same key stream, so their difference is that of the plain text.
    double ourDate = 36526.0;
    std::uint64_t plain = 0;
    std::memcpy(&plain, &ourDate, 8);
    std::uint64_t masked = 0;
    for (int i = 7; i >= 0; --i)
        masked = masked << 8 | (static_cast<unsigned char>(ours[date + i]) ^
                                static_cast<unsigned char>(theirs[date + i]));
    plain ^= masked;
    double theirDate = 0;
    std::memcpy(&theirDate, &plain, 8);
    ASSERT_GT(theirDate, 36526.0); // created by Access after 2000
    ASSERT_LT(theirDate, 60000.0);
    // An empty password, masked with the date's whole days, repeated.
    const std::uint32_t days =
        static_cast<std::uint32_t>(ourDate) ^ static_cast<std::uint32_t>(theirDate);
    for (std::size_t i = 0; i < 40; ++i)
        EXPECT_EQ(static_cast<unsigned char>(ours[password + i] ^ theirs[password + i]),
                  (days >> (8 * (i % 4))) & 0xff)
            << i;
}
