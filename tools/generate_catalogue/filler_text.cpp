#include "filler_text.h"

#include <stdexcept>

namespace generator {
namespace {

const std::vector<QString> kSubjects = {
    "Atlas",      "Encyclopédie", "Dictionnaire", "Guide",      "Méthode",  "Initiation",
    "Découverte", "Voyage",       "Secrets",      "Histoire",   "Mystères", "Trésors",
    "Merveilles", "Studio",       "Simulateur",   "Aventure",   "Énigmes",  "Cours",
    "Album",      "Collection",   "Anthologie",   "Intégrale",  "Panorama", "Univers",
    "Atelier",    "Carnet",       "Mémento",      "Abécédaire", "Les Clés", "Le Grand Livre"};

const std::vector<QString> kTopics = {"des volcans",
                                      "de la mer",
                                      "du Moyen Âge",
                                      "des pharaons",
                                      "de l'espace",
                                      "des dinosaures",
                                      "du corps humain",
                                      "de la musique baroque",
                                      "des châteaux forts",
                                      "de la Préhistoire",
                                      "des océans",
                                      "de la Révolution",
                                      "de l'impressionnisme",
                                      "des insectes",
                                      "de la forêt",
                                      "des grands explorateurs",
                                      "du cinéma muet",
                                      "de la cuisine provençale",
                                      "de l'orthographe",
                                      "des mathématiques",
                                      "de l'anglais",
                                      "de la photographie",
                                      "du jardin",
                                      "des étoiles",
                                      "de la chimie",
                                      "de la géographie",
                                      "des oiseaux",
                                      "de la Bourgogne",
                                      "du jazz",
                                      "de l'opéra",
                                      "des sciences naturelles",
                                      "de la peinture flamande",
                                      "de l'aviation",
                                      "du rail",
                                      "de la voile",
                                      "du bricolage",
                                      "de la poésie",
                                      "des contes de fées"};

const std::vector<QString> kEditions = {"98",           "2000",     "Junior", "Deluxe",
                                        "édition 1999", "volume 2", "CE1",    "CM2",
                                        "6e",           "Plus",     "Pro",    "nouvelle édition"};

const std::vector<QString> kOpeners = {"Découvrez", "Explorez",  "Apprenez",  "Révisez",
                                       "Parcourez", "Retrouvez", "Comprenez", "Revivez",
                                       "Observez",  "Maîtrisez", "Visitez"};

const std::vector<QString> kObjects = {"les volcans du monde",
                                       "l'histoire de France",
                                       "les mathématiques du collège",
                                       "les grands peintres",
                                       "la vie des abeilles",
                                       "les planètes",
                                       "la grammaire française",
                                       "les capitales d'Europe",
                                       "les secrets des pyramides",
                                       "la musique classique",
                                       "les fonds marins",
                                       "les règles de l'orthographe",
                                       "les animaux de la ferme",
                                       "les techniques du dessin",
                                       "les constellations",
                                       "les métiers d'autrefois",
                                       "la faune d'Afrique",
                                       "les grandes batailles",
                                       "les instruments de l'orchestre",
                                       "les plantes médicinales"};

const std::vector<QString> kManners = {"en images de synthèse",
                                       "avec des exercices corrigés",
                                       "grâce à 300 fiches illustrées",
                                       "pas à pas",
                                       "en vous amusant",
                                       "à votre rythme",
                                       "avec un narrateur",
                                       "en vidéo plein écran",
                                       "en trois dimensions",
                                       "avec des cartes animées",
                                       "à travers 500 questions",
                                       "au fil de 40 chapitres"};

const std::vector<QString> kRemarks = {"Pour Windows 95 et Macintosh.",
                                       "Livret de 40 pages inclus.",
                                       "Nécessite un lecteur double vitesse.",
                                       "Version française intégrale.",
                                       "Pour les 8-12 ans.",
                                       "Pour toute la famille.",
                                       "Impression des fiches possible.",
                                       "Avec le \"guide du débutant\", en couleurs.",
                                       "Son stéréo, vidéo, animations.",
                                       "Plus de 2 000 illustrations, cartes et photographies."};

// Texts drawn again at most this often before the word is declared unavoidable.
constexpr int kDraws = 1000;

} // namespace

FillerText::FillerText(const QString& avoided)
    : avoided_(avoided), subjects_(keep(kSubjects)), topics_(keep(kTopics)),
      editions_(keep(kEditions)), openers_(keep(kOpeners)), objects_(keep(kObjects)),
      manners_(keep(kManners)), remarks_(keep(kRemarks)) {}

FillerText::Pieces FillerText::keep(const Pieces& pieces) const {
    Pieces kept;
    for (const QString& piece : pieces) {
        if (!piece.contains(avoided_, Qt::CaseInsensitive)) {
            kept.push_back(piece);
        }
    }
    if (kept.empty()) {
        throw std::invalid_argument("le mot « " + avoided_.toStdString() +
                                    " » est trop courant pour que le texte de remplissage l'évite");
    }
    return kept;
}

const QString& FillerText::pick(const Pieces& pieces, RandomSource& random) {
    return pieces[random.below(pieces.size())];
}

std::string FillerText::title(RandomSource& random) const {
    return avoiding(random, &FillerText::composeTitle);
}

std::string FillerText::cd(RandomSource& random) const {
    return "CD " + std::to_string(1 + random.below(200));
}

std::string FillerText::description(RandomSource& random) const {
    return avoiding(random, &FillerText::composeDescription);
}

std::string FillerText::avoiding(RandomSource& random,
                                 QString (FillerText::*compose)(RandomSource&) const) const {
    for (int draw = 0; draw < kDraws; ++draw) {
        const QString text = (this->*compose)(random);
        if (!text.contains(avoided_, Qt::CaseInsensitive)) {
            return text.toStdString();
        }
    }
    throw std::invalid_argument("le mot « " + avoided_.toStdString() +
                                " » est trop courant pour que le texte de remplissage l'évite");
}

QString FillerText::composeTitle(RandomSource& random) const {
    QString text = pick(subjects_, random) + ' ' + pick(topics_, random);
    if (random.chance(1, 3)) {
        text += ' ' + pick(editions_, random);
    }
    return text;
}

QString FillerText::composeDescription(RandomSource& random) const {
    QString text =
        pick(openers_, random) + ' ' + pick(objects_, random) + ' ' + pick(manners_, random) + '.';
    for (auto extra = random.below(3); extra > 0; --extra) {
        text += ' ' + pick(remarks_, random);
    }
    return text;
}

} // namespace generator
