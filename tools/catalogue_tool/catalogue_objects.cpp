#include "catalogue_tool/catalogue_objects.h"

#include "catalogue_tool/text_encoding.h"
#include "jet/format.h"

namespace jet_writer {

namespace {

enum class ObjectType : std::int16_t { table = 1, database = 2, container = 3 };

constexpr std::uint32_t rootId = 0x0f000000;
constexpr std::uint32_t tablesId = 0x0f000001;
constexpr std::uint32_t databasesId = 0x0f000002;
constexpr std::uint32_t relationshipsId = 0x0f000003;
constexpr std::uint32_t databaseObjectId = 0x10000000;
constexpr std::uint32_t hiddenSystemObject = 0x80000000;

// Owners as Access records them: the engine for what it creates, the default user otherwise.
const jet::Bytes engineOwner = {0x73, 0x67};
const jet::Bytes userOwner = {0x72, 0x65};

struct CatalogueObject {
    std::uint32_t id;
    std::uint32_t parentId;
    std::u16string name;
    ObjectType type;
    std::uint32_t flags;
    const jet::Bytes& owner;
};

jet::Bytes U32(std::uint32_t value) {
    jet::Bytes bytes;
    jet::AppendU32(bytes, value);
    return bytes;
}

jet::Bytes Date() {
    jet::Bytes bytes;
    jet::AppendF64(bytes, jet::kFixedCreationDate);
    return bytes;
}

RowValues RowOf(const CatalogueObject& object) {
    jet::Bytes type;
    jet::AppendU16(type, static_cast<std::uint16_t>(object.type));
    RowValues row(17);
    row[0] = U32(object.id);
    row[1] = U32(object.parentId);
    row[2] = Utf16LittleEndian(object.name);
    row[3] = type;
    row[4] = Date();
    row[5] = Date();
    row[6] = object.owner;
    row[7] = U32(object.flags);
    return row;
}

} // namespace

std::vector<RowValues> CatalogueObjectRows(const std::vector<TableEntry>& tables) {
    std::vector<RowValues> rows = {
        RowOf(
            {tablesId, rootId, u"Tables", ObjectType::container, hiddenSystemObject, engineOwner}),
        RowOf({databasesId, rootId, u"Databases", ObjectType::container, hiddenSystemObject,
               engineOwner}),
        RowOf({relationshipsId, rootId, u"Relationships", ObjectType::container, hiddenSystemObject,
               engineOwner}),
        RowOf({databaseObjectId, databasesId, u"MSysDb", ObjectType::database, hiddenSystemObject,
               userOwner}),
    };
    for (const TableEntry& table : tables) {
        rows.push_back(
            RowOf({table.definitionPage, tablesId, table.name, ObjectType::table,
                   table.system ? hiddenSystemObject : 0, table.system ? engineOwner : userOwner}));
    }
    return rows;
}

} // namespace jet_writer
