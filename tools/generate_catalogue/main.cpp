// orvane-generate-catalogue: writes a large synthetic catalogue CSV for tests and benchmarks.

#include "catalogue_generator.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr const char* usage =
    "usage : orvane-generate-catalogue [--rows N] [--word MOT] [--share PART] [--seed S] "
    "[SORTIE.csv]\n";

constexpr const char* help =
    "Écrit un catalogue CSV (colonnes Nom, cd, Description ; UTF-8) de N entrées en français\n"
    "vraisemblable, que orvane-catalogue transforme en base.MDB. Une part exacte des\n"
    "entrées contient MOT dans Nom ou Description (sans tenir compte des majuscules), les\n"
    "autres ne le contiennent nulle part. La même graine donne le même fichier.\n"
    "\n"
    "  --rows N      nombre d'entrées (100000 par défaut)\n"
    "  --word MOT    mot à placer (jeu par défaut)\n"
    "  --share PART  part des entrées qui le contiennent, de 0 à 1 (0.1 par défaut)\n"
    "  --seed S      graine du hasard (1 par défaut)\n"
    "\n"
    "Sans SORTIE.csv, le catalogue va sur la sortie standard. Affiche le nombre d'entrées\n"
    "qui contiennent le mot (sur la sortie d'erreur quand le catalogue va sur la sortie\n"
    "standard). Code de sortie : 0 en cas de succès, 1 en cas d'erreur, 2 si les\n"
    "arguments sont faux.\n";

struct Arguments {
    generator::GeneratorOptions options;
    std::string output;
};

std::optional<unsigned long long> wholeNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    try {
        return std::stoull(text);
    } catch (const std::out_of_range&) {
        return std::nullopt;
    }
}

// Reads the options; returns nothing, after saying why, when they are wrong.
std::optional<Arguments> parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name.starts_with("--") && i + 1 < argc) {
            const std::string value = argv[++i];
            const auto number = wholeNumber(value);
            if (name == "--rows" && number) {
                arguments.options.rows = std::size_t(*number);
            } else if (name == "--seed" && number) {
                arguments.options.seed = *number;
            } else if (name == "--word") {
                arguments.options.word = value;
            } else if (name == "--share") {
                try {
                    std::size_t used = 0;
                    arguments.options.share = std::stod(value, &used);
                    if (used != value.size()) {
                        throw std::invalid_argument(value);
                    }
                } catch (const std::exception&) {
                    std::fprintf(stderr, "orvane-generate-catalogue : part illisible : %s\n",
                                 value.c_str());
                    return std::nullopt;
                }
            } else {
                std::fprintf(stderr, "orvane-generate-catalogue : option fausse : %s %s\n",
                             name.c_str(), value.c_str());
                return std::nullopt;
            }
        } else if (arguments.output.empty() && !name.starts_with("--")) {
            arguments.output = name;
        } else {
            std::fprintf(stderr, "orvane-generate-catalogue : argument en trop : %s\n",
                         name.c_str());
            return std::nullopt;
        }
    }
    return arguments;
}

std::string summary(const generator::GeneratorOptions& options, std::size_t count) {
    const bool several = count > 1;
    return std::to_string(count) + (several ? " entrées sur " : " entrée sur ") +
           std::to_string(options.rows) + (several ? " contiennent « " : " contient « ") +
           options.word + " » dans Nom ou Description\n";
}

// Writes beside the output under a provisional name and puts the file in place once whole,
// so that a failure leaves an existing file as it was.
int generateToFile(const Arguments& arguments) {
    const std::filesystem::path target = arguments.output;
    std::filesystem::path provisional = target;
    provisional += ".partiel";
    try {
        std::ofstream out(provisional, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw std::runtime_error("impossible d'écrire " + provisional.string());
        }
        const std::size_t count = generator::WriteCatalogue(arguments.options, out);
        out.close();
        if (!out) {
            throw std::runtime_error("impossible d'écrire " + provisional.string());
        }
        std::filesystem::rename(provisional, target);
        std::fputs(summary(arguments.options, count).c_str(), stdout);
        return 0;
    } catch (const std::exception& error) {
        std::error_code ignored;
        std::filesystem::remove(provisional, ignored);
        std::fprintf(stderr, "orvane-generate-catalogue : %s\n", error.what());
        return 1;
    }
}

// Without an output file the catalogue goes to the standard output and the count to the
// standard error.
int generate(const Arguments& arguments) {
    if (!arguments.output.empty()) {
        return generateToFile(arguments);
    }
    try {
        std::ios::sync_with_stdio(false);
        const std::size_t count = generator::WriteCatalogue(arguments.options, std::cout);
        std::cout.flush();
        if (!std::cout) {
            throw std::runtime_error("impossible d'écrire la sortie standard");
        }
        std::fputs(summary(arguments.options, count).c_str(), stderr);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvane-generate-catalogue : %s\n", error.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(usage, stdout);
        std::fputs("\n", stdout);
        std::fputs(help, stdout);
        return 0;
    }
    const auto arguments = parse(argc, argv);
    if (!arguments) {
        std::fputs(usage, stderr);
        return 2;
    }
    return generate(*arguments);
}
