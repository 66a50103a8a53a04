// N'importe quels octets comme VELTOR.CFG, par le chemin même du dialogue « Ouvrir » : le
// fichier est écrit dans un répertoire de départ, le dialogue est montré, chaque emplacement
// est cliqué, et chaque partie rendue est jouée quelques coups puis reprise d'un retour en
// arrière. Pour finir, le dialogue « Sauver » enregistre la partie en cours, qui doit se
// relire à l'identique.
//
// Ce que chaque entrée doit tenir, en plus de l'absence de plantage et de rapport des
// sanitizers : un enregistrement est rendu tel quel quand ses valeurs sont dans les bornes du
// fichier et forment une position que le jeu aurait pu sauver, sinon refusé par « Partie
// sauvegardée invalide » sans rien changer ; un fichier trop court est refusé par « Lecture
// au delà de la fin de fichier » ; les coups gardent l'état dans les bornes et laissent
// chaque panier touché tassé et sans voisins égaux.
//
// Les octets après le 570e, que le jeu ignore, servent ici de suite de coups.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "jeu/niveaux.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "jeu/sauvegarde.h"

namespace {

using namespace veltor;
namespace fs = std::filesystem;

constexpr std::size_t taille_enregistrement = 95;
constexpr std::size_t taille_du_fichier = 6 * taille_enregistrement;
constexpr std::size_t coups_par_partie = 48;

const std::string texte_trop_court = "Lecture au delà de la fin de fichier";
const std::string texte_invalide = "Partie sauvegardée invalide";

[[noreturn]] void echec(const char* quoi, int ligne) {
  std::fprintf(stderr, "fuzz_fichier_des_parties:%d : %s\n", ligne, quoi);
  std::abort();
}
#define EXIGER(condition)                          \
  do {                                             \
    if (!(condition)) echec(#condition, __LINE__); \
  } while (0)

std::string texte(const resultat_es& r) { return r ? r->texte : std::string(); }

// Les champs qu'une restauration ou un coup peuvent changer, comparables d'un bloc.
struct position {
  octet mode_affichage, numero_niveau, nombre_de_pas;
  plan_de_niveau plan;
  piece haut[cote_du_panier];
  octet ligne_prise;

  explicit position(const etat_du_jeu& e)
      : mode_affichage(e.mode_affichage),
        numero_niveau(e.numero_niveau),
        nombre_de_pas(e.nombre_de_pas),
        plan(e.plan),
        ligne_prise(e.ligne_prise) {
    std::copy(std::begin(e.ligne_du_haut), std::end(e.ligne_du_haut), haut);
  }
  bool operator==(const position& p) const {
    return mode_affichage == p.mode_affichage && numero_niveau == p.numero_niveau &&
           nombre_de_pas == p.nombre_de_pas && meme_plateau(p);
  }
  // Ce que le retour en arrière rend : le plan, la ligne du haut et ligne_prise.
  bool meme_plateau(const position& p) const {
    return plan == p.plan && std::equal(std::begin(haut), std::end(haut), std::begin(p.haut)) &&
           ligne_prise == p.ligne_prise;
  }
};

// Les requêtes sans fenêtre, comptées ; la fin du programme peut être oubliée pour
// reprendre une partie neuve, comme un joueur qui relance le jeu.
class requetes_du_fuzzer : public requetes_sans_fenetre {
 public:
  using requetes_sans_fenetre::requetes_sans_fenetre;

  void memoriser_historique() override {
    ++memorisations;
    requetes_sans_fenetre::memoriser_historique();
  }
  void redessiner_plateau() override {
    ++dessins;
    requetes_sans_fenetre::redessiner_plateau();
  }
  void terminer_programme() override {
    termine = true;
    requetes_sans_fenetre::terminer_programme();
  }
  void remettre_les_compteurs() { memorisations = dessins = 0; }

  int memorisations = 0;
  int dessins = 0;
  bool termine = false;
};

// Les bornes et la cohérence, lues sur les octets du fichier à leurs places, sans passer par
// la structure.
bool octets_dans_les_bornes(const std::uint8_t* e) {
  const auto pieces_valides = [](const std::uint8_t* debut, std::size_t n) {
    return std::all_of(debut, debut + n, [](std::uint8_t x) { return x <= 15; });
  };
  const bool dans_les_bornes = e[1] >= 1 && e[1] <= 80 && pieces_valides(e + 12, 75) &&
                              pieces_valides(e + 87, 5) && e[92] <= 1 && e[93] <= 7 &&
                              e[94] >= 1 && e[94] <= 2;
  // Et telle que le jeu l'aurait sauvée : ligne_prise suit la ligne du haut, rien ne flotte.
  const bool tient = std::any_of(e + 87, e + 92, [](std::uint8_t x) { return x != 0; });
  bool tasse = true;
  for (int b = 0; b < 3; ++b)
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 5; ++c)
        if (e[12 + 25 * b + 5 * r + c] != 0 && e[12 + 25 * b + 5 * (r + 1) + c] == 0) tasse = false;
  return dans_les_bornes && (e[92] == 1) == tient && tasse;
}

void exiger_rendu(const etat_du_jeu& etat, const std::uint8_t* e) {
  EXIGER(etat.numero_niveau == e[1]);
  EXIGER(std::memcmp(&etat.plan, e + 3, sizeof etat.plan) == 0);
  EXIGER(std::memcmp(etat.ligne_du_haut, e + 87, cote_du_panier) == 0);
  EXIGER(etat.ligne_prise == e[92]);
  EXIGER(etat.nombre_de_pas == e[93]);
  EXIGER(etat.mode_affichage == e[94]);
}

void exiger_dans_les_bornes(const etat_du_jeu& etat) {
  EXIGER(etat.numero_niveau >= 1 && etat.numero_niveau <= nombre_de_niveaux);
  EXIGER(etat.mode_affichage == 1 || etat.mode_affichage == 2);
  EXIGER(etat.nombre_de_pas <= 7);
  EXIGER(etat.ligne_prise <= 1);
  EXIGER(etat.nombre_a_effacer >= 0 && etat.nombre_a_effacer <= capacite_cases_a_effacer);
  const piece* cases = &etat.plan.paniers[0][0][0];
  EXIGER(std::all_of(cases, cases + 75, [](piece x) { return x <= 15; }));
  EXIGER(std::all_of(std::begin(etat.ligne_du_haut), std::end(etat.ligne_du_haut),
                     [](piece x) { return x <= 15; }));
}

// Un modèle du panier, écrit autrement que les règles : la chute tasse chaque colonne
// vers le bas dans son ordre, l'effacement retire d'un coup toute pièce qui touche une
// pièce égale par un côté, et les deux alternent jusqu'au repos.
using panier_modele = std::array<std::array<piece, cote_du_panier>, cote_du_panier>;  // [r][c]

panier_modele panier_de(const plan_de_niveau& plan, int b) {
  panier_modele p;
  for (int r = 0; r < cote_du_panier; ++r)
    for (int c = 0; c < cote_du_panier; ++c) p[r][c] = plan.paniers[b - 1][r][c];
  return p;
}

void tasser(panier_modele& p) {
  for (int c = 0; c < cote_du_panier; ++c) {
    int bas = cote_du_panier - 1;
    for (int r = cote_du_panier - 1; r >= 0; --r)
      if (p[r][c] != 0) {
        const piece v = p[r][c];
        p[r][c] = 0;
        p[bas--][c] = v;
      }
  }
}

bool effacer_les_voisins_egaux(panier_modele& p) {
  panier_modele marque{};
  bool efface = false;
  for (int r = 0; r < cote_du_panier; ++r)
    for (int c = 0; c < cote_du_panier; ++c) {
      if (p[r][c] == 0) continue;
      if (c + 1 < cote_du_panier && p[r][c + 1] == p[r][c]) marque[r][c] = marque[r][c + 1] = 1;
      if (r + 1 < cote_du_panier && p[r + 1][c] == p[r][c]) marque[r][c] = marque[r + 1][c] = 1;
    }
  for (int r = 0; r < cote_du_panier; ++r)
    for (int c = 0; c < cote_du_panier; ++c)
      if (marque[r][c]) {
        p[r][c] = 0;
        efface = true;
      }
  return efface;
}

// Vrai si au moins une pièce s'est effacée.
bool mettre_au_repos(panier_modele& p) {
  bool efface = false;
  tasser(p);
  while (effacer_les_voisins_egaux(p)) {
    efface = true;
    tasser(p);
  }
  return efface;
}

bool vide(const panier_modele& p) {
  for (const auto& rangee : p)
    for (const piece v : rangee)
      if (v != 0) return false;
  return true;
}

int rangee_du_dessus(const etat_du_jeu& etat, int b) {
  for (int r = 1; r <= cote_du_panier; ++r)
    for (int c = 1; c <= cote_du_panier; ++c)
      if (etat.cellule(b, r, c) != 0) return r;
  return 0;
}

// Une partie : la position que le prochain retour en arrière doit rendre, tenue à côté de
// l'historique du jeu pour le vérifier.
struct partie {
  etat_du_jeu& etat;
  requetes_du_fuzzer& r;
  std::optional<position> apres_retour;

  // Un coup codé sur un octet : le panier, puis lever/poser, retourner, revenir, recommencer.
  void jouer(std::uint8_t code) {
    const int b = 1 + (code >> 3) % nombre_de_paniers;
    const etat_du_jeu& e = etat;
    const position avant(e);
    const int niveau = e.numero_niveau;
    // Pour une pose ou un retournement vertical : le panier b tel que le modèle le prévoit.
    std::optional<panier_modele> prevu;
    bool efface = false;
    switch (code & 7) {
      case 0:
      case 1:
      case 2:
      case 3: {
        const bool levait = e.ligne_prise == 0 && !panier_vide(e, b);
        const bool posait = !levait && e.ligne_prise == 1 && !ligne_du_haut_vide(e);
        const int rangee = rangee_du_dessus(e, b);
        panier_modele p = panier_de(e.plan, b);
        // La pose est refusée quand une pièce tenue tomberait dans une colonne pleine.
        bool refusee = false;
        for (int c = 0; c < cote_du_panier; ++c)
          refusee = refusee ||
                    (avant.haut[c] != 0 &&
                     std::all_of(p.begin(), p.end(), [c](const auto& rg) { return rg[c] != 0; }));
        refusee = posait && refusee;
        choisir_panier(etat, r, b);
        if (levait) {
          EXIGER(e.ligne_prise == 1);
          EXIGER(
              std::equal(p[rangee - 1].begin(), p[rangee - 1].end(), std::begin(e.ligne_du_haut)));
          p[rangee - 1].fill(0);
          EXIGER(panier_de(e.plan, b) == p);
        } else if (posait && !refusee) {
          EXIGER(e.ligne_prise == 0 && ligne_du_haut_vide(e));
          for (int c = 0; c < cote_du_panier; ++c)
            if (avant.haut[c] != 0) p[0][c] = avant.haut[c];
          efface = mettre_au_repos(p);
          prevu = p;
        } else {
          EXIGER(position(e) == avant);  // le clic ne fait rien
          return;
        }
        break;
      }
      case 4: {
        panier_modele p = panier_de(e.plan, b);
        std::reverse(p.begin(), p.end());
        retourner_vertical(etat, r, b);
        efface = mettre_au_repos(p);
        prevu = p;
        break;
      }
      case 5: {
        panier_modele p = panier_de(e.plan, b);
        for (auto& rangee : p) std::reverse(rangee.begin(), rangee.end());
        retourner_horizontal(etat, r, b);
        EXIGER(panier_de(e.plan, b) == p);
        break;
      }
      case 6:
        revenir_en_arriere(etat, r.historique_memorise(), r);
        if (apres_retour) EXIGER(position(e).meme_plateau(*apres_retour));
        EXIGER(e.numero_niveau == niveau);
        apres_retour = position(e);
        return;
      case 7:
        recommencer_le_niveau(etat, r);
        EXIGER(e.plan == table_des_niveaux(niveau));
        EXIGER(ligne_du_haut_vide(e) && e.ligne_prise == 0);
        apres_retour = position(e);
        return;
    }
    exiger_dans_les_bornes(e);
    EXIGER(e.mode_affichage == avant.mode_affichage && e.nombre_de_pas == avant.nombre_de_pas);

    // Le niveau est fini quand un effacement a vidé les trois paniers et la ligne du haut.
    bool fini = prevu && efface && vide(*prevu) && ligne_du_haut_vide(e);
    for (int autre = 1; autre <= nombre_de_paniers; ++autre)
      if (autre != b) fini = fini && vide(panier_de(avant.plan, autre));
    EXIGER(r.termine == (fini && niveau == nombre_de_niveaux));
    if (r.termine) return;
    if (fini) {
      // Le suivant est chargé tel que la table le donne.
      EXIGER(e.numero_niveau == niveau + 1);
      EXIGER(e.plan == table_des_niveaux(e.numero_niveau));
      EXIGER(ligne_du_haut_vide(e) && e.ligne_prise == 0);
      apres_retour = position(e);
      return;
    }
    EXIGER(e.numero_niveau == niveau);
    if (prevu) EXIGER(panier_de(e.plan, b) == *prevu);
    for (int autre = 1; autre <= nombre_de_paniers; ++autre)
      if (autre != b) EXIGER(panier_de(e.plan, autre) == panier_de(avant.plan, autre));
    apres_retour = avant;
  }
};

// Le répertoire de départ des essais, en mémoire quand /dev/shm existe ; effacé à la sortie.
fs::path repertoire_de_depart;
int dossier_du_fuzzer = -1;

void effacer_le_repertoire() {
  std::error_code ec;
  fs::remove_all(repertoire_de_depart, ec);
}

void preparer() {
  std::error_code ec;
  const fs::path base =
      fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string modele = (base / "veltor95-fuzz-XXXXXX").string();
  if (::mkdtemp(modele.data()) == nullptr) echec("mkdtemp", __LINE__);
  repertoire_de_depart = modele;
  std::atexit(effacer_le_repertoire);
  // Le dialogue change de répertoire courant ; libFuzzer écrit ses trouvailles dans
  // celui d'où il a été lancé, qu'on lui rend après chaque essai.
  dossier_du_fuzzer = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

void ecrire_le_fichier(const std::uint8_t* donnees, std::size_t taille) {
  const fs::path chemin = repertoire_de_depart / nom_du_fichier_des_parties;
  const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) echec("ouverture du fichier d'essai", __LINE__);
  std::size_t fait = 0;
  while (fait < taille) {
    const ssize_t n = ::write(fd, donnees + fait, taille - fait);
    if (n <= 0) echec("écriture du fichier d'essai", __LINE__);
    fait += static_cast<std::size_t>(n);
  }
  ::close(fd);
}

std::vector<std::uint8_t> relire_le_fichier() {
  std::ifstream f(repertoire_de_depart / nom_du_fichier_des_parties, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void essayer(const std::uint8_t* donnees, std::size_t taille) {
  ecrire_le_fichier(donnees, taille);
  const bool complet = taille >= taille_du_fichier;

  // Le jeu tel qu'au démarrage ; l'état est grand, il vit sur le tas.
  auto etat_possede = std::make_unique<etat_du_jeu>();
  etat_du_jeu& etat = *etat_possede;
  requetes_du_fuzzer r(etat);
  demarrer_partie(etat, r);
  partie jeu{etat, r, position(etat)};

  std::vector<std::uint8_t> coups;
  if (complet)
    coups.assign(donnees + taille_du_fichier,
                 donnees + std::min(taille, taille_du_fichier + coups_par_partie));
  // Sans suite de coups : lever et poser dans chaque panier, retourner, revenir.
  if (coups.empty()) coups = {0, 0, 8, 8, 16, 16, 4, 13, 6};

  dialogue_des_parties ouvrir(dialogue_des_parties::sorte::ouvrir, repertoire_de_depart);
  const resultat_es montre = ouvrir.montrer();
  for (int k = 0; k < nombre_d_emplacements; ++k) {
    const std::uint8_t* e = donnees + k * taille_enregistrement;
    if (complet) {
      EXIGER(!montre);
      EXIGER(ouvrir.legende(k) == std::to_string(e[1]));
      EXIGER(ouvrir.actif(k) == (e[1] != 0));
      EXIGER(std::memcmp(&ouvrir.emplacements()[k], e, taille_enregistrement) == 0);
    } else {
      // La première montrée qui échoue garde les boutons tels que la fenêtre les dessine.
      EXIGER(texte(montre) == texte_trop_court);
      EXIGER(ouvrir.legende(k) == "0" && ouvrir.actif(k));
    }
  }

  for (int k = 0; k < nombre_d_emplacements; ++k) {
    const std::uint8_t* e = donnees + k * taille_enregistrement;
    const position avant(etat);
    r.remettre_les_compteurs();
    const resultat_es clic = ouvrir.cliquer(k, etat, r);
    if (!complet || !octets_dans_les_bornes(e)) {
      EXIGER(texte(clic) == (complet ? texte_invalide : texte_trop_court));
      EXIGER(position(etat) == avant);
      EXIGER(r.memorisations == 0 && r.dessins == 0);
      continue;
    }
    EXIGER(!clic);
    exiger_rendu(etat, e);
    EXIGER(r.dessins == 1 && r.memorisations == 1);
    // Un retour en arrière juste après l'ouverture laisse la partie ouverte.
    const position ouverte(etat);
    revenir_en_arriere(etat, r.historique_memorise(), r);
    EXIGER(position(etat) == ouverte);
    jeu.apres_retour = ouverte;

    for (const std::uint8_t code : coups) {
      jeu.jouer(code);
      if (r.termine) break;
    }
    if (!r.termine) jeu.jouer(6);
    if (r.termine) {
      // Le niveau 80 fini arrête le programme : le joueur relance le jeu.
      r.termine = false;
      demarrer_partie(etat, r);
      jeu.apres_retour = position(etat);
    }
  }

  // Sauver la partie en cours dans un emplacement, par le dialogue, puis la rouvrir.
  const int k = static_cast<int>(taille % nombre_d_emplacements);
  dialogue_des_parties sauver(dialogue_des_parties::sorte::sauver, repertoire_de_depart);
  EXIGER(texte(sauver.montrer()) == (complet ? "" : texte_trop_court));
  // La copie du dialogue : chaque enregistrement lu en entier, des zéros après.
  std::vector<std::uint8_t> attendu(taille_du_fichier, 0);
  std::copy(
      donnees,
      donnees + std::min(taille, taille_du_fichier) / taille_enregistrement * taille_enregistrement,
      attendu.begin());
  EXIGER(!sauver.cliquer(k, etat, r));
  std::uint8_t* s = attendu.data() + k * taille_enregistrement;
  s[0] = 1;
  s[1] = etat.numero_niveau;  // s[2], la réserve, reste tel qu'il a été lu
  std::memcpy(s + 3, &etat.plan, sizeof etat.plan);
  std::memcpy(s + 87, etat.ligne_du_haut, cote_du_panier);
  s[92] = etat.ligne_prise;
  s[93] = etat.nombre_de_pas;
  s[94] = etat.mode_affichage;
  EXIGER(relire_le_fichier() == attendu);

  const position sauvee(etat);
  auto autre_possede = std::make_unique<etat_du_jeu>();
  etat_du_jeu& autre = *autre_possede;
  requetes_du_fuzzer r2(autre);
  demarrer_partie(autre, r2);
  dialogue_des_parties rouvrir(dialogue_des_parties::sorte::ouvrir, repertoire_de_depart);
  EXIGER(!rouvrir.montrer() && rouvrir.actif(k));
  EXIGER(!rouvrir.cliquer(k, autre, r2));
  EXIGER(position(autre) == sauvee);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
  if (repertoire_de_depart.empty()) preparer();
  essayer(donnees, taille);
  if (dossier_du_fuzzer >= 0 && ::fchdir(dossier_du_fuzzer) != 0) echec("fchdir", __LINE__);
  return 0;
}
