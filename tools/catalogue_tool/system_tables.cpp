#include "catalogue_tool/system_tables.h"

namespace jet_writer {

namespace {

constexpr std::uint16_t textSize = 510; // 255 characters of UTF-16
constexpr std::uint16_t binarySize = 510;

ColumnDefinition LongInteger(std::u16string name) {
    return {std::move(name), jet::ColumnType::LongInteger, 4};
}
ColumnDefinition Text(std::u16string name) {
    return {std::move(name), jet::ColumnType::Text, textSize};
}
ColumnDefinition Binary(std::u16string name) {
    return {std::move(name), jet::ColumnType::Binary, binarySize};
}
ColumnDefinition DateTime(std::u16string name) {
    return {std::move(name), jet::ColumnType::DateTime, 8};
}
ColumnDefinition Memo(std::u16string name) {
    return {std::move(name), jet::ColumnType::Memo, 0};
}
ColumnDefinition Ole(std::u16string name) {
    return {std::move(name), jet::ColumnType::Ole, 0};
}

} // namespace

TableSchema ObjectsTableSchema() {
    return {{LongInteger(u"Id"),
             LongInteger(u"ParentId"),
             Text(u"Name"),
             {u"Type", jet::ColumnType::Integer, 2},
             DateTime(u"DateCreate"),
             DateTime(u"DateUpdate"),
             Binary(u"Owner"),
             LongInteger(u"Flags"),
             Memo(u"Database"),
             Memo(u"Connect"),
             Text(u"ForeignName"),
             Binary(u"RmtInfoShort"),
             Ole(u"RmtInfoLong"),
             Ole(u"Lv"),
             Ole(u"LvProp"),
             Ole(u"LvModule"),
             Ole(u"LvExtra")},
            true};
}

TableSchema PermissionsTableSchema() {
    return {{LongInteger(u"ObjectId"),
             Binary(u"SID"),
             LongInteger(u"ACM"),
             {u"FInheritable", jet::ColumnType::Boolean, 1}},
            true};
}

TableSchema QueriesTableSchema() {
    return {{LongInteger(u"ObjectId"),
             {u"Attribute", jet::ColumnType::Byte, 1},
             Binary(u"Order"),
             Text(u"Name1"),
             Text(u"Name2"),
             Memo(u"Expression"),
             {u"Flag", jet::ColumnType::Integer, 2},
             LongInteger(u"LvExtra")},
            true};
}

TableSchema RelationshipsTableSchema() {
    return {{Text(u"szRelationship"), LongInteger(u"grbit"), LongInteger(u"ccolumn"),
             LongInteger(u"icolumn"), Text(u"szObject"), Text(u"szColumn"),
             Text(u"szReferencedObject"), Text(u"szReferencedColumn")},
            true};
}

} // namespace jet_writer
