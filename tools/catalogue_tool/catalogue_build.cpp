#include "catalogue_tool/catalogue_build.h"

#include "catalogue_tool/catalogue_csv.h"
#include "catalogue_tool/catalogue_database.h"
#include "catalogue_tool/errors.h"
#include "catalogue_tool/replacing_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace jet_writer {

namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "« " + path.string() + " »";
}

void RefuseOverwritingSource(const std::filesystem::path& source,
                             const std::filesystem::path& target) {
    std::error_code error;
    if (std::filesystem::equivalent(source, target, error)) {
        throw FileError("le fichier de sortie " + Quoted(target) + " est le fichier CSV lui-même");
    }
}

} // namespace

std::size_t BuildCatalogue(const std::filesystem::path& source,
                           const std::filesystem::path& target) {
    std::ifstream input(source, std::ios::binary);
    if (!input) {
        throw FileError("impossible d'ouvrir " + Quoted(source) + " : " + SystemErrorText(errno));
    }
    RefuseOverwritingSource(source, target);
    CatalogueCsv csv(input, source.string());
    ReplacingFile output(target);
    std::size_t count = 0;
    try {
        CatalogueDatabase database(output.stream());
        for (CatalogueRow row; csv.next(row); ++count) {
            database.add(row);
        }
        database.finish();
    } catch (const OutputFileError& error) {
        throw FileError("écriture de " + Quoted(target) + " impossible : " + error.what());
    }
    output.commit();
    return count;
}

} // namespace jet_writer
