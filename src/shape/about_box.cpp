#include "shape/about_box.h"

#include "orvane_version.h"

namespace shape {

std::string AboutBoxTitle() {
    return "L'Orvane Zelkis";
}

std::string AboutBoxText() {
    const char* const spaced[] = {
        "Orvane Zelkis, © 2000 l'atelier Orvane : conception, graphismes et programmation.",
        "Le catalogue de nos CD-ROM : jeux, titres éducatifs, musique et logiciels.",
        "Tapez un mot, appuyez sur Entrée, puis parcourez les fiches avec les flèches.",
    };
    const std::string plain[] = {
        "Clic gauche sur une flèche : fiche précédente ou suivante.",
        "Clic droit sur une flèche : première ou dernière fiche.",
        std::string("Version ") + kOrvaneVersion,
        "Merci de votre visite !",
    };
    std::string text;
    for (const char* line : spaced) {
        text += std::string(line) + "\r\r";
    }
    for (const std::string& line : plain) {
        text += line + "\r";
    }
    return text;
}

} // namespace shape
