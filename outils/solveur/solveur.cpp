// Le solveur : une recherche en largeur sur les positions d'un niveau.
//
// Un coup ne change que le panier sur lequel il agit et la ligne tenue. Chaque panier
// rencontré reçoit donc un numéro (sa grille n'est gardée qu'une fois) et le résultat de
// chaque coup sur chaque panier est retenu : une fois le panier vu, lever, poser ou
// retourner ne coûte plus qu'une lecture de table. Une position se réduit alors aux trois
// numéros de paniers et à la ligne tenue, et les positions vues vont dans une table de
// hachage plate à adressage ouvert, une ligne de cache au plus par recherche.
//
// La file de la recherche est la suite des positions vues, dans l'ordre où elles ont été
// trouvées : en développant les positions dans cet ordre et les coups dans l'ordre
// P1 P2 P3 V1 V2 V3 H1 H2 H3, la première suite qui atteint la fin du niveau est la plus
// courte et, parmi les plus courtes, la première dans cet ordre.
#include "outils/solveur/solveur.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "jeu/niveaux.h"
#include "outils/solveur/recherche.h"
#include "outils/solveur/simulation.h"

namespace veltor::solveur {

namespace {

constexpr std::uint64_t multiplicateur_de_fibonacci = 0x9E3779B97F4A7C15ull;

// Une position : les numéros des paniers 1, 2 et 3, de bits_du_numero bits chacun, dans
// un mot, et la ligne tenue à part. Le panier vide a le numéro 0 : la fin du niveau est
// la position nulle.
constexpr int bits_du_numero = 21;
constexpr std::uint64_t masque_du_numero = (std::uint64_t{1} << bits_du_numero) - 1;
static_assert(nombre_de_paniers * bits_du_numero <= 64);
constexpr int bits_de_la_ligne = 4 * cote_du_panier;
constexpr std::uint32_t masque_de_la_ligne = (std::uint32_t{1} << bits_de_la_ligne) - 1;

constexpr int decalage_du_panier(int b) { return b * bits_du_numero; }

struct cle_de_position {
  std::uint64_t paniers = 0;
  ligne_tenue haut = 0;
  bool operator==(const cle_de_position&) const = default;
};

// Les positions vues, et la file de la recherche. Chaque case de la table tient la
// position, le coup qui l'a atteinte la première fois et le rang dans la file de la
// position d'où il a été joué ; la file tient, pour chaque rang, la case de la table.
class positions_vues {
 public:
  positions_vues() { dimensionner(16); }

  // Ajoute la position au bout de la file si elle n'a pas encore été vue ; vrai alors.
  bool ajouter(cle_de_position cle, coup c, std::uint32_t parent) {
    if (4 * (file_.size() + 1) > 3 * cases_.size()) grandir();
    for (std::size_t i = place(cle);; i = (i + 1) & masque_) {
      case_de_table& k = cases_[i];
      if (k.haut_et_coup == libre) {
        k = {cle.paniers, cle.haut | (static_cast<std::uint32_t>(c) << bits_de_la_ligne), parent};
        file_.push_back(static_cast<std::uint32_t>(i));
        return true;
      }
      if (k.paniers == cle.paniers && (k.haut_et_coup & masque_de_la_ligne) == cle.haut)
        return false;
    }
  }

  // Annonce au processeur la case que cherchera la position : les recherches des coups
  // d'une même position se recouvrent au lieu de s'attendre.
  void precharger(cle_de_position cle) const { __builtin_prefetch(&cases_[place(cle)]); }
  void precharger_rang(std::size_t rang) const { __builtin_prefetch(&cases_[file_[rang]]); }

  std::size_t taille() const { return file_.size(); }
  cle_de_position cle(std::size_t rang) const {
    const case_de_table& k = cases_[file_[rang]];
    return {k.paniers, k.haut_et_coup & masque_de_la_ligne};
  }
  coup coup_joue(std::size_t rang) const {
    return static_cast<coup>(cases_[file_[rang]].haut_et_coup >> bits_de_la_ligne);
  }
  std::uint32_t parent(std::size_t rang) const { return cases_[file_[rang]].parent; }

 private:
  struct case_de_table {
    std::uint64_t paniers;
    std::uint32_t haut_et_coup;  // la ligne tenue, puis le coup au-dessus ; « libre » : case vide
    std::uint32_t parent;
  };
  static_assert(sizeof(case_de_table) == 16);
  static constexpr std::uint32_t libre = ~std::uint32_t{0};

  std::size_t place(cle_de_position cle) const {
    const std::uint64_t h =
        (cle.paniers ^ (static_cast<std::uint64_t>(cle.haut) << 41)) * multiplicateur_de_fibonacci;
    return static_cast<std::size_t>(h >> decalage_);
  }

  void dimensionner(int bits) {
    cases_.assign(std::size_t{1} << bits, case_de_table{0, libre, 0});
    masque_ = cases_.size() - 1;
    decalage_ = 64 - bits;
  }

  // La file garde son ordre : chaque position est replacée et son rang suit sa case.
  void grandir() {
    const std::vector<case_de_table> anciennes = std::move(cases_);
    dimensionner(64 - decalage_ + 1);
    for (std::uint32_t& place_dans_la_table : file_) {
      const case_de_table& k = anciennes[place_dans_la_table];
      std::size_t i = place({k.paniers, k.haut_et_coup & masque_de_la_ligne});
      while (cases_[i].haut_et_coup != libre) i = (i + 1) & masque_;
      cases_[i] = k;
      place_dans_la_table = static_cast<std::uint32_t>(i);
    }
  }

  std::vector<case_de_table> cases_;
  std::vector<std::uint32_t> file_;
  std::size_t masque_ = 0;
  int decalage_ = 64;
};

constexpr std::int32_t inconnu = -2;
constexpr std::int32_t refuse = -1;

// Les paniers rencontrés, numérotés dans l'ordre où ils apparaissent, et ce que chaque
// coup leur fait.
class paniers_connus {
 public:
  paniers_connus() {
    dimensionner_numeros(12);
    dimensionner_poses(12);
    numero(grille{});
  }

  std::int32_t numero(const grille& g) {
    const cle_de_grille cle = cle_de(g);
    std::size_t i = place(cle);
    for (; numeros_[i] >= 0; i = (i + 1) & masque_des_numeros_) {
      if (cles_[numeros_[i]] == cle) return numeros_[i];
    }
    if (cles_.size() > masque_du_numero)
      throw std::length_error("trop de paniers différents pour le solveur");
    const auto n = static_cast<std::int32_t>(cles_.size());
    numeros_[i] = n;
    cles_.push_back(cle);
    grilles_.push_back(g);
    suites_.push_back({});
    if (2 * cles_.size() > numeros_.size()) grandir_numeros();
    return n;
  }

  // Le panier après la levée et la ligne levée ; le panier n doit être non vide.
  std::pair<std::int32_t, ligne_tenue> levee(std::int32_t n) {
    if (suites_[n].apres_levee == inconnu) {
      grille g = grilles_[n];
      const ligne_tenue haut = lever(g);
      const std::int32_t apres = numero(g);
      suites_[n].apres_levee = apres;  // numero() a pu déplacer suites_
      suites_[n].ligne_levee = haut;
    }
    return {suites_[n].apres_levee, suites_[n].ligne_levee};
  }

  // Le panier après la pose de la ligne, ou refuse.
  std::int32_t pose(std::int32_t n, ligne_tenue haut) {
    const std::uint64_t cle = (static_cast<std::uint64_t>(n) << bits_de_la_ligne) | haut;
    std::size_t i = place_de_pose(cle);
    for (; poses_[i].cle != 0; i = (i + 1) & masque_des_poses_) {
      if (poses_[i].cle == cle) return poses_[i].apres;
    }
    std::int32_t apres = refuse;
    if (!pose_refusee(grilles_[n], haut)) {
      grille g = grilles_[n];
      poser(g, haut);
      apres = numero(g);
    }
    poses_[i] = {cle, apres};
    if (2 * ++nombre_de_poses_ > poses_.size()) grandir_poses();
    return apres;
  }

  void precharger_pose(std::int32_t n, ligne_tenue haut) const {
    __builtin_prefetch(
        &poses_[place_de_pose((static_cast<std::uint64_t>(n) << bits_de_la_ligne) | haut)]);
  }

  std::int32_t vertical(std::int32_t n) {
    if (suites_[n].apres_vertical == inconnu) {
      grille g = grilles_[n];
      retourner_grille_vertical(g);
      const std::int32_t apres = numero(g);
      suites_[n].apres_vertical = apres;
    }
    return suites_[n].apres_vertical;
  }

  std::int32_t horizontal(std::int32_t n) {
    if (suites_[n].apres_horizontal == inconnu) {
      grille g = grilles_[n];
      retourner_grille_horizontal(g);
      const std::int32_t apres = numero(g);
      suites_[n].apres_horizontal = apres;
    }
    return suites_[n].apres_horizontal;
  }

 private:
  // Les 25 pièces de 4 bits d'une grille, dans deux mots.
  struct cle_de_grille {
    std::uint64_t a = 0, b = 0;
    bool operator==(const cle_de_grille&) const = default;
  };
  static cle_de_grille cle_de(const grille& g) {
    cle_de_grille c;
    for (int i = 0; i < 16; ++i) c.a |= static_cast<std::uint64_t>(g[i] & 0xF) << (4 * i);
    for (int i = 16; i < 25; ++i) c.b |= static_cast<std::uint64_t>(g[i] & 0xF) << (4 * (i - 16));
    return c;
  }
  std::size_t place(const cle_de_grille& c) const {
    const std::uint64_t h = (c.a * multiplicateur_de_fibonacci) ^ (c.b + (c.a >> 29));
    return static_cast<std::size_t>((h * multiplicateur_de_fibonacci) >> decalage_des_numeros_);
  }
  void dimensionner_numeros(int bits) {
    numeros_.assign(std::size_t{1} << bits, -1);
    masque_des_numeros_ = numeros_.size() - 1;
    decalage_des_numeros_ = 64 - bits;
  }
  void grandir_numeros() {
    dimensionner_numeros(64 - decalage_des_numeros_ + 1);
    for (std::size_t n = 0; n < cles_.size(); ++n) {
      std::size_t i = place(cles_[n]);
      while (numeros_[i] >= 0) i = (i + 1) & masque_des_numeros_;
      numeros_[i] = static_cast<std::int32_t>(n);
    }
  }

  struct pose_connue {
    std::uint64_t cle = 0;  // numéro du panier et ligne posée ; 0 : case vide
    std::int32_t apres = 0;
  };
  std::size_t place_de_pose(std::uint64_t cle) const {
    return static_cast<std::size_t>((cle * multiplicateur_de_fibonacci) >> decalage_des_poses_);
  }
  void dimensionner_poses(int bits) {
    poses_.assign(std::size_t{1} << bits, pose_connue{});
    masque_des_poses_ = poses_.size() - 1;
    decalage_des_poses_ = 64 - bits;
  }
  void grandir_poses() {
    const std::vector<pose_connue> anciennes = std::move(poses_);
    dimensionner_poses(64 - decalage_des_poses_ + 1);
    for (const pose_connue& p : anciennes) {
      if (p.cle == 0) continue;
      std::size_t i = place_de_pose(p.cle);
      while (poses_[i].cle != 0) i = (i + 1) & masque_des_poses_;
      poses_[i] = p;
    }
  }

  struct suites {
    std::int32_t apres_levee = inconnu;
    ligne_tenue ligne_levee = 0;
    std::int32_t apres_vertical = inconnu;
    std::int32_t apres_horizontal = inconnu;
  };

  std::vector<cle_de_grille> cles_;
  std::vector<grille> grilles_;
  std::vector<suites> suites_;
  std::vector<std::int32_t> numeros_;  // la table de hachage des grilles : numéro, ou -1
  std::size_t masque_des_numeros_ = 0;
  int decalage_des_numeros_ = 64;
  std::vector<pose_connue> poses_;
  std::size_t nombre_de_poses_ = 0;
  std::size_t masque_des_poses_ = 0;
  int decalage_des_poses_ = 64;
};

}  // namespace

solution resoudre(int niveau) { return resoudre_plan(table_des_niveaux(niveau), niveau); }

solution resoudre_plan(const plan_de_niveau& plan, int niveau) {
  solution s;
  s.niveau = niveau;
  const position depart = position_du_plan(plan);

  std::vector<coup> coups_offerts;
  for (int n = 0; n < nombre_de_coups; ++n) {
    if (coup_offert(plan, static_cast<coup>(n))) coups_offerts.push_back(static_cast<coup>(n));
  }

  paniers_connus paniers;
  cle_de_position cle_de_depart{0, depart.haut};
  for (int b = 0; b < nombre_de_paniers; ++b) {
    cle_de_depart.paniers |= static_cast<std::uint64_t>(paniers.numero(depart.paniers[b]))
                             << decalage_du_panier(b);
  }
  s.etats_visites = 1;
  if (cle_de_depart == cle_de_position{}) {
    s.possible = true;
    return s;
  }

  positions_vues vues;
  vues.ajouter(cle_de_depart, coup::P1, 0);
  constexpr std::size_t avance_du_prechargement = 8;

  for (std::size_t i = 0; i < vues.taille(); ++i) {
    if (i + avance_du_prechargement < vues.taille())
      vues.precharger_rang(i + avance_du_prechargement);
    const cle_de_position cle = vues.cle(i);
    auto numero_du_panier = [&](int b) {
      return static_cast<std::int32_t>((cle.paniers >> decalage_du_panier(b)) & masque_du_numero);
    };
    if (cle.haut != 0) {
      for (int b = 0; b < nombre_de_paniers; ++b)
        paniers.precharger_pose(numero_du_panier(b), cle.haut);
    }

    // Les positions filles, dans l'ordre des coups ; elles ne sont ajoutées qu'une fois
    // toutes préchargées.
    std::array<cle_de_position, nombre_de_coups> filles;
    std::array<coup, nombre_de_coups> coups_des_filles;
    std::size_t nombre_de_filles = 0;
    for (const coup c : coups_offerts) {
      const int n = static_cast<int>(c);
      const int decalage = decalage_du_panier(n % 3);
      const std::int32_t numero = numero_du_panier(n % 3);
      cle_de_position fille{cle.paniers & ~(masque_du_numero << decalage), cle.haut};
      std::int32_t apres;
      if (n < 3) {
        if (cle.haut == 0) {
          if (numero == 0) continue;
          const auto [apres_levee, ligne_levee] = paniers.levee(numero);
          apres = apres_levee;
          fille.haut = ligne_levee;
        } else {
          apres = paniers.pose(numero, cle.haut);
          if (apres == refuse) continue;
          fille.haut = 0;
        }
      } else {
        apres = n < 6 ? paniers.vertical(numero) : paniers.horizontal(numero);
        if (apres == numero) continue;
      }
      fille.paniers |= static_cast<std::uint64_t>(apres) << decalage;
      if (fille == cle_de_position{}) {
        for (std::size_t k = 0; k < nombre_de_filles; ++k) {
          vues.ajouter(filles[k], coups_des_filles[k], static_cast<std::uint32_t>(i));
        }
        s.coups.push_back(nom_du_coup(c));
        for (std::size_t j = i; j != 0; j = vues.parent(j))
          s.coups.push_back(nom_du_coup(vues.coup_joue(j)));
        std::reverse(s.coups.begin(), s.coups.end());
        s.possible = true;
        s.etats_visites = vues.taille() + 1;
        return s;
      }
      vues.precharger(fille);
      filles[nombre_de_filles] = fille;
      coups_des_filles[nombre_de_filles++] = c;
    }
    for (std::size_t k = 0; k < nombre_de_filles; ++k) {
      vues.ajouter(filles[k], coups_des_filles[k], static_cast<std::uint32_t>(i));
    }
  }
  s.etats_visites = vues.taille();
  return s;
}

}  // namespace veltor::solveur
