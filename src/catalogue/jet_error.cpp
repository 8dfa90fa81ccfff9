#include "catalogue/jet_error.h"

#include "catalogue/quoted.h"
#include "system/utf8_path.h"

#include <cerrno>

namespace catalogue {
namespace {

std::string fileName(const std::filesystem::path& file) {
    return Quoted(sys::Utf8Of(file));
}

std::string systemReason(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return "accès refusé";
    case EIO:
        return "erreur d'entrée-sortie du support";
    case ENOMEM:
        return "mémoire insuffisante";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    default:
        return "erreur système " + std::to_string(errorNumber);
    }
}

std::string tableOfFile(const std::filesystem::path& file, const std::string& table) {
    return "la table " + Quoted(table) + " du fichier " + fileName(file);
}

} // namespace

JetError JetError::missing(const std::filesystem::path& file) {
    return {Kind::Missing, "Le fichier " + fileName(file) + " est introuvable."};
}

JetError JetError::notAFile(const std::filesystem::path& file) {
    return {Kind::NotAFile, "Le chemin " + fileName(file) + " ne désigne pas un fichier."};
}

JetError JetError::unreadable(const std::filesystem::path& file, int errorNumber) {
    return {Kind::Unreadable, "Le fichier " + fileName(file) +
                                  " ne peut pas être lu : " + systemReason(errorNumber) + "."};
}

JetError JetError::notJet(const std::filesystem::path& file) {
    return {Kind::NotJet,
            "Le fichier " + fileName(file) + " n'est pas une base de données Access (Jet)."};
}

JetError JetError::unsupported(const std::filesystem::path& file, int version) {
    return {Kind::Unsupported, "Le fichier " + fileName(file) +
                                   " est une base de données Access d'une version inconnue (" +
                                   std::to_string(version) + ")."};
}

JetError JetError::damaged(const std::filesystem::path& file, const std::string& what) {
    return {Kind::Damaged, "Le fichier " + fileName(file) + " est endommagé : " + what + "."};
}

JetError JetError::tableMissing(const std::filesystem::path& file, const std::string& table) {
    return {Kind::TableMissing,
            "La table " + Quoted(table) + " est absente du fichier " + fileName(file) + "."};
}

JetError JetError::fieldMissing(const std::filesystem::path& file, const std::string& table,
                                const std::string& field) {
    return {Kind::FieldMissing,
            "Le champ " + Quoted(field) + " est absent de " + tableOfFile(file, table) + "."};
}

JetError JetError::fieldNotText(const std::filesystem::path& file, const std::string& table,
                                const std::string& field) {
    return {Kind::FieldNotText, "Le champ " + Quoted(field) + " de " + tableOfFile(file, table) +
                                    " ne contient pas de texte."};
}

} // namespace catalogue
