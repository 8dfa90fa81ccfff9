#include "catalogue_tool/errors.h"

#include <cerrno>

namespace jet_writer {

namespace {
std::string Describe(const std::string& source, TextPosition at, const std::string& problem) {
    return source + ", ligne " + std::to_string(at.line) + ", colonne " +
           std::to_string(at.column) + " : " + problem;
}
} // namespace

WriteError::WriteError(int code) : OutputFileError(SystemErrorText(code)), code_(code) {}

CatalogueTooLarge::CatalogueTooLarge()
    : OutputFileError("le catalogue dépasse 2 Go, la taille maximale d'une base Access") {}

std::string SystemErrorText(int code) {
    switch (code) {
    case ENOENT:
        return "fichier ou dossier introuvable";
    case EACCES:
    case EPERM:
        return "permission refusée";
    case ENOSPC:
        return "plus de place sur le disque";
#ifdef EDQUOT
    case EDQUOT:
        return "quota de disque dépassé";
#endif
    case EROFS:
        return "système de fichiers en lecture seule";
    case EISDIR:
        return "c'est un dossier";
    case ENOTDIR:
        return "un élément du chemin n'est pas un dossier";
    case ENAMETOOLONG:
        return "nom trop long";
    case EEXIST:
        return "le fichier existe déjà";
    case EFBIG:
        return "fichier trop grand";
    case EIO:
        return "erreur d'entrée-sortie du disque";
    case EMFILE:
    case ENFILE:
        return "trop de fichiers ouverts";
    case ENOMEM:
        return "mémoire insuffisante";
    case EBUSY:
    case ETXTBSY:
        return "fichier occupé";
    case ELOOP:
        return "trop de liens symboliques";
    case EXDEV:
        return "le fichier et son dossier sont sur des disques différents";
    case EINVAL:
        return "opération refusée par le système de fichiers";
    default:
        return "erreur système " + std::to_string(code);
    }
}

InputError::InputError(const std::string& source, TextPosition at, const std::string& problem)
    : std::runtime_error(Describe(source, at, problem)), at_(at), problem_(problem) {}

} // namespace jet_writer
