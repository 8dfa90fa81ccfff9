// orvane-catalogue: builds a catalogue database (base.MDB) from a CSV file.

#include "catalogue_tool/catalogue_build.h"
#include "catalogue_tool/catalogue_export.h"

#include "jet/jet_error.h"
#include "system/program_arguments.h"
#include "system/utf8_path.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <new>
#include <string>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

constexpr const char* usage = "usage : orvane-catalogue CATALOGUE.csv base.MDB\n"
                              "        orvane-catalogue --export base.MDB [TABLE]\n";

constexpr const char* help =
    "Construit une base de catalogue au format Access 2000 (Jet 4) à partir d'un fichier CSV.\n"
    "\n"
    "Le fichier CSV est en UTF-8 (avec ou sans marque d'ordre d'octets), champs séparés par\n"
    "des virgules. Un champ entre guillemets peut contenir des virgules, des retours à la\n"
    "ligne et des guillemets doublés (\"\"). La première ligne nomme les colonnes Nom, cd et\n"
    "Description, dans n'importe quel ordre et sans tenir compte des majuscules ; aucune\n"
    "autre colonne n'est admise. Chaque ligne suivante est une entrée du catalogue.\n"
    "\n"
    "Un champ vide sans guillemets laisse la valeur nulle ; \"\" donne un texte vide.\n"
    "Nom et cd comptent au plus 255 caractères ; Description peut être très longue.\n"
    "\n"
    "La base obtenue contient la table Index (Nom, cd : texte ; Description : mémo),\n"
    "les entrées dans l'ordre du fichier. Elle est écrite à part (sans nom quand le système\n"
    "de fichiers le permet) puis mise en place d'un coup : en cas d'erreur ou d'arrêt, une\n"
    "base existante reste intacte. Une base remplacée garde ses droits d'accès ; un lien\n"
    "symbolique est suivi jusqu'au fichier qu'il désigne.\n"
    "\n"
    "--export écrit sur la sortie standard, en CSV, la table TABLE (Index par défaut) d'une\n"
    "base Access (97, 2000 à 2003, 2007 et suivantes, non chiffrée), au format que lit\n"
    "l'outil : une ligne d'en-tête avec les noms des colonnes dans l'ordre de la table, puis\n"
    "une ligne par entrée, en UTF-8 ; un champ est entre guillemets s'il contient une\n"
    "virgule, un guillemet ou un retour à la ligne, ou s'il est le texte vide (\"\") ; une\n"
    "valeur nulle est un champ vide sans guillemets. Une base construite depuis un CSV\n"
    "ressort ainsi en un CSV identique. Rien n'est écrit si la table ne peut être lue\n"
    "entière.\n"
    "\n"
    "Code de sortie : 0 en cas de succès, 1 en cas d'erreur, 2 si les arguments sont faux.\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "orvane-catalogue : %s\n", message.c_str());
    return 1;
}

int ExportTable(const std::string& path, const std::string& table) {
    std::ifstream in(sys::PathFromUtf8(path), std::ios::binary);
    if (!in) {
        return Fail("le fichier " + jet::Quoted(path) + " ne peut pas être lu");
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    if (in.bad()) {
        return Fail("le fichier " + jet::Quoted(path) + " ne peut pas être lu");
    }
    try {
        jet_writer::ExportTable(bytes, table, std::cout);
    } catch (const jet::FormatError& error) {
        return Fail(error.Message(path));
    }
    std::cout.flush();
    return std::cout ? 0 : Fail("la sortie standard refuse l'écriture");
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The console shows the French messages' UTF-8 as it is, and the exported CSV keeps its
    // bare line ends.
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // In UTF-8 whatever the system's code page, like every text of the tool.
    const std::vector<std::string> args = sys::ProgramArguments(argc, argv);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(usage, stdout);
        std::fputs("\n", stdout);
        std::fputs(help, stdout);
        return 0;
    }
    if ((args.size() == 2 || args.size() == 3) && args[0] == "--export") {
        try {
            return ExportTable(args[1], args.size() == 3 ? args[2] : "Index");
        } catch (const std::bad_alloc&) {
            return Fail("mémoire insuffisante");
        }
    }
    if (args.size() != 2) {
        std::fputs(usage, stderr);
        std::fputs("orvane-catalogue --help en dit plus.\n", stderr);
        return 2;
    }
    try {
        const std::size_t count =
            jet_writer::BuildCatalogue(sys::PathFromUtf8(args[0]), sys::PathFromUtf8(args[1]));
        std::printf("orvane-catalogue : %zu entrée%s écrite%s dans %s\n", count,
                    count > 1 ? "s" : "", count > 1 ? "s" : "", args[1].c_str());
        return 0;
    } catch (const std::bad_alloc&) {
        return Fail("mémoire insuffisante");
    } catch (const std::exception& error) {
        return Fail(error.what());
    }
}
