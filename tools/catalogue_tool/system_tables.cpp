#include "catalogue_tool/system_tables.h"

namespace jet_writer {

namespace {

constexpr std::uint16_t textSize = 510; // 255 characters of UTF-16
constexpr std::uint16_t binarySize = 510;

ColumnDefinition longInteger(std::u16string name) {
    return {std::move(name), jet::ColumnType::LongInteger, 4};
}
ColumnDefinition text(std::u16string name) {
    return {std::move(name), jet::ColumnType::Text, textSize};
}
ColumnDefinition binary(std::u16string name) {
    return {std::move(name), jet::ColumnType::Binary, binarySize};
}
ColumnDefinition dateTime(std::u16string name) {
    return {std::move(name), jet::ColumnType::DateTime, 8};
}
ColumnDefinition memo(std::u16string name) {
    return {std::move(name), jet::ColumnType::Memo, 0};
}
ColumnDefinition ole(std::u16string name) {
    return {std::move(name), jet::ColumnType::Ole, 0};
}

} // namespace

TableSchema objectsTableSchema() {
    return {{longInteger(u"Id"),
             longInteger(u"ParentId"),
             text(u"Name"),
             {u"Type", jet::ColumnType::Integer, 2},
             dateTime(u"DateCreate"),
             dateTime(u"DateUpdate"),
             binary(u"Owner"),
             longInteger(u"Flags"),
             memo(u"Database"),
             memo(u"Connect"),
             text(u"ForeignName"),
             binary(u"RmtInfoShort"),
             ole(u"RmtInfoLong"),
             ole(u"Lv"),
             ole(u"LvProp"),
             ole(u"LvModule"),
             ole(u"LvExtra")},
            true};
}

TableSchema permissionsTableSchema() {
    return {{longInteger(u"ObjectId"),
             binary(u"SID"),
             longInteger(u"ACM"),
             {u"FInheritable", jet::ColumnType::Boolean, 1}},
            true};
}

TableSchema queriesTableSchema() {
    return {{longInteger(u"ObjectId"),
             {u"Attribute", jet::ColumnType::Byte, 1},
             binary(u"Order"),
             text(u"Name1"),
             text(u"Name2"),
             memo(u"Expression"),
             {u"Flag", jet::ColumnType::Integer, 2},
             longInteger(u"LvExtra")},
            true};
}

TableSchema relationshipsTableSchema() {
    return {{text(u"szRelationship"), longInteger(u"grbit"), longInteger(u"ccolumn"),
             longInteger(u"icolumn"), text(u"szObject"), text(u"szColumn"),
             text(u"szReferencedObject"), text(u"szReferencedColumn")},
            true};
}

} // namespace jet_writer
