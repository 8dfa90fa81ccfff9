#include "jet/jet_error.h"

#include "jet/little_endian.h"

#include <utility>

namespace jet {
namespace {

// What follows « Le fichier « name » » for each kind.
std::string Predicate(FormatError::Kind kind, const std::string& detail) {
    switch (kind) {
    case FormatError::Kind::NotJet:
        return "n'est pas une base de données Access (Jet)";
    case FormatError::Kind::Unsupported:
        return "ne peut pas être lu : " + detail;
    case FormatError::Kind::Encrypted:
        return "est chiffré : " + detail;
    case FormatError::Kind::Damaged:
        return "est endommagé : " + detail;
    case FormatError::Kind::TableMissing:
        return "ne contient pas la table " + Quoted(detail);
    }
    return detail;
}

} // namespace

std::string Quoted(const std::string& name) {
    return "\u00ab\u00a0" + name + "\u00a0\u00bb";
}

FormatError::FormatError(Kind kind, std::string detail)
    : std::runtime_error("le fichier " + Predicate(kind, detail)), kind_(kind),
      detail_(std::move(detail)) {}

std::string FormatError::Message(const std::string& fileName) const {
    return "Le fichier " + Quoted(fileName) + " " + Predicate(kind_, detail_) + ".";
}

FormatError FormatError::NotJet() {
    return {Kind::NotJet, {}};
}
FormatError FormatError::Unsupported(const std::string& what) {
    return {Kind::Unsupported, what};
}
FormatError FormatError::Encrypted(const std::string& what) {
    return {Kind::Encrypted, what};
}
FormatError FormatError::Damaged(const std::string& what) {
    return {Kind::Damaged, what};
}
FormatError FormatError::TableMissing(const std::string& table) {
    return {Kind::TableMissing, table};
}

void ThrowOverflowingStructure() {
    throw FormatError::Damaged("une structure déborde de sa page");
}

} // namespace jet
