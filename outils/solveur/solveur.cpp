// Le solveur : une recherche en largeur sur les positions d'un niveau.
//
// Un coup ne change que le panier sur lequel il agit et la ligne tenue. Chaque panier
// rencontré reçoit donc un numéro (sa grille n'est gardée qu'une fois) et le résultat de
// chaque coup sur chaque panier est retenu : une fois le panier vu, lever, poser ou
// retourner ne coûte plus qu'une lecture de table. Une position se réduit alors aux trois
// numéros de paniers et à la ligne tenue, et les positions vues vont dans une table de
// hachage à sondage linéaire, où une recherche ne lit le plus souvent qu'une ligne de
// cache ; elle est préchargée avant d'être lue, pour que les recherches se recouvrent.
//
// La file de la recherche est la suite des positions vues, dans l'ordre où elles ont été
// trouvées : en développant les positions dans cet ordre et les coups dans l'ordre
// P1 P2 P3 V1 V2 V3 H1 H2 H3, la première suite qui atteint la fin du niveau est la plus
// courte et, parmi les plus courtes, la première dans cet ordre.
#include "outils/solveur/solveur.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "jeu/niveaux.h"
#include "outils/solveur/recherche.h"
#include "outils/solveur/simulation.h"

namespace veltor::solveur {

namespace {

// Les grandes tables sont lues au hasard : en pages de 4 Kio, presque chaque lecture
// manquerait aussi la traduction d'adresse. Au-delà de 2 Mio, elles sont donc prises
// directement au noyau, alignées sur les grandes pages, et le noyau est prié de les servir
// ainsi. Passer par malloc rendrait des pages déjà servies en 4 Kio par un niveau
// précédent.
constexpr std::size_t grande_page = std::size_t{2} << 20;

std::size_t arrondi_aux_grandes_pages(std::size_t octets) {
  return (octets + grande_page - 1) / grande_page * grande_page;
}

void* prendre_en_grandes_pages(std::size_t octets) {
  const std::size_t arrondi = arrondi_aux_grandes_pages(octets);
  // Une grande page de plus, pour pouvoir aligner le début, puis rendre les bouts.
  void* brut = mmap(nullptr, arrondi + grande_page, PROT_READ | PROT_WRITE,
                    MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (brut == MAP_FAILED) throw std::bad_alloc();
  const auto adresse = reinterpret_cast<std::uintptr_t>(brut);
  const std::uintptr_t debut = (adresse + grande_page - 1) / grande_page * grande_page;
  if (debut > adresse) munmap(brut, debut - adresse);
  if (const std::size_t fin = adresse + grande_page - debut; fin > 0) {
    munmap(reinterpret_cast<void*>(debut + arrondi), fin);
  }
  void* p = reinterpret_cast<void*>(debut);
#ifdef MADV_HUGEPAGE
  madvise(p, arrondi, MADV_HUGEPAGE);  // un simple souhait : sans grandes pages, rien ne change
#endif
  return p;
}

template <typename T>
struct allocateur_de_grandes_pages {
  using value_type = T;

  allocateur_de_grandes_pages() = default;
  template <typename U>
  allocateur_de_grandes_pages(const allocateur_de_grandes_pages<U>&) {}

  T* allocate(std::size_t n) {
    const std::size_t octets = n * sizeof(T);
    if (octets < grande_page) return static_cast<T*>(::operator new(octets));
    return static_cast<T*>(prendre_en_grandes_pages(octets));
  }
  void deallocate(T* p, std::size_t n) {
    const std::size_t octets = n * sizeof(T);
    if (octets < grande_page) {
      ::operator delete(p);
    } else {
      munmap(p, arrondi_aux_grandes_pages(octets));
    }
  }
  template <typename U>
  bool operator==(const allocateur_de_grandes_pages<U>&) const {
    return true;
  }
};

template <typename T>
using tableau = std::vector<T, allocateur_de_grandes_pages<T>>;

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

// Une mémoire brute de n objets simples, rendue à la fin. Rien n'y est écrit d'avance :
// seules les pages qui servent sont touchées.
template <typename T>
class memoire_brute {
 public:
  explicit memoire_brute(std::size_t n)
      : debut_(allocateur_de_grandes_pages<T>{}.allocate(n)), taille_(n) {}
  memoire_brute(memoire_brute&& autre) noexcept
      : debut_(std::exchange(autre.debut_, nullptr)), taille_(autre.taille_) {}
  memoire_brute& operator=(memoire_brute&&) = delete;
  ~memoire_brute() {
    if (debut_ != nullptr) allocateur_de_grandes_pages<T>{}.deallocate(debut_, taille_);
  }
  T* debut() const { return debut_; }

 private:
  T* debut_;
  std::size_t taille_;
};

// Une suite qui ne grandit que par le bout, en blocs de plus en plus grands : le bloc 0
// tient les rangs 0 à 2^16 − 1, le bloc k ≥ 1 les rangs 2^(15+k) à 2^(16+k) − 1. Rien
// n'est jamais recopié.
template <typename T>
class suite_par_blocs {
 public:
  void ajouter(const T& v) {
    const auto [bloc, place] = ou(taille_);
    if (bloc == blocs_.size())
      blocs_.emplace_back(bloc == 0 ? premier_bloc : premier_bloc << (bloc - 1));
    blocs_[bloc].debut()[place] = v;
    ++taille_;
  }
  const T& operator[](std::size_t i) const {
    const auto [bloc, place] = ou(i);
    return blocs_[bloc].debut()[place];
  }
  std::size_t taille() const { return taille_; }

 private:
  static constexpr int bits_du_premier_bloc = 16;
  static constexpr std::size_t premier_bloc = std::size_t{1} << bits_du_premier_bloc;
  static std::pair<std::size_t, std::size_t> ou(std::size_t i) {
    if (i < premier_bloc) return {0, i};
    const int largeur = std::bit_width(i);  // 2^(largeur−1) <= i < 2^largeur
    const std::size_t bloc = static_cast<std::size_t>(largeur - bits_du_premier_bloc);
    return {bloc, i - (std::size_t{1} << (largeur - 1))};
  }
  std::vector<memoire_brute<T>> blocs_;
  std::size_t taille_ = 0;
};

// Les positions vues, et la file de la recherche, rang par rang : la position, le coup
// qui l'a atteinte la première fois et le rang de la position d'où il a été joué.
//
// L'ensemble des positions vues est un hachage extensible : un répertoire, indexé par
// les bits hauts du hachage, mène à des blocs de cases à sondage linéaire ; un bloc trop
// plein se sépare en deux, seul. La table grandit ainsi sans jamais tout recopier dans
// une mémoire neuve deux fois plus grande, ce qui coûterait plus que la recherche.
class positions_vues {
 public:
  positions_vues() {
    blocs_.push_back(nouveau_bloc(0));
    repertoire_.assign(1, 0);
  }

  // Ajoute la position au bout de la file si elle n'a pas encore été vue ; vrai alors.
  bool ajouter(cle_de_position cle, coup c, bool rejouer_ramene, std::uint32_t parent) {
    const std::uint64_t h = hacher(cle);
    for (;;) {
      const std::uint32_t b = repertoire_[indice_du_repertoire(h)];
      bloc& bl = blocs_[b];
      for (std::size_t i = h & masque_des_cases;; i = (i + 1) & masque_des_cases) {
        case_de_table& k = bl.cases[i];
        if (k.haut == libre) {
          if (bl.nombre + 1 > seuil_de_separation) break;
          k = case_de(cle);
          ++bl.nombre;
          file_paniers_.ajouter(cle.paniers);
          file_hauts_et_coups_.ajouter(cle.haut |
                                       (static_cast<std::uint32_t>(c) << bits_de_la_ligne) |
                                       (rejouer_ramene ? bit_du_retour : 0));
          file_parents_.ajouter(parent);
          return true;
        }
        if (k.haut == cle.haut && paniers_de(k) == cle.paniers) return false;
      }
      separer(b);
    }
  }

  // La case où commencera la recherche de la position. L'appelant la précharge (une
  // fonction qui ne fait que précharger passe pour sans effet et le compilateur l'ôte) :
  // les recherches des coups d'une même position se recouvrent au lieu de s'attendre.
  const void* case_a_precharger(cle_de_position cle) const {
    const std::uint64_t h = hacher(cle);
    return blocs_[repertoire_[indice_du_repertoire(h)]].cases + (h & masque_des_cases);
  }

  std::size_t taille() const { return file_parents_.taille(); }
  cle_de_position cle(std::size_t rang) const {
    return {file_paniers_[rang], file_hauts_et_coups_[rang] & masque_de_la_ligne};
  }
  coup coup_joue(std::size_t rang) const {
    return static_cast<coup>((file_hauts_et_coups_[rang] >> bits_de_la_ligne) & 0xF);
  }
  // Rejouer le coup qui a mené à la position ramènerait à la position d'où il a été joué.
  bool rejouer_ramene(std::size_t rang) const {
    return (file_hauts_et_coups_[rang] & bit_du_retour) != 0;
  }
  std::uint32_t parent(std::size_t rang) const { return file_parents_[rang]; }

 private:
  // 12 octets : les numéros des paniers en deux moitiés, puis la ligne tenue.
  struct case_de_table {
    std::uint32_t paniers_bas;
    std::uint32_t paniers_haut;
    std::uint32_t haut;  // « libre » : case vide
  };
  static_assert(sizeof(case_de_table) == 12);
  static constexpr std::uint32_t libre = ~std::uint32_t{0};
  static constexpr std::uint32_t bit_du_retour = std::uint32_t{1} << (bits_de_la_ligne + 4);
  static constexpr int bits_des_cases = 12;
  static constexpr std::size_t cases_par_bloc = std::size_t{1} << bits_des_cases;
  static constexpr std::size_t masque_des_cases = cases_par_bloc - 1;
  static constexpr std::size_t seuil_de_separation = cases_par_bloc * 3 / 4;
  static constexpr int profondeur_au_plus = 32;

  struct bloc {
    case_de_table* cases;
    std::uint32_t nombre;
    int profondeur;  // les bits hauts du hachage que partagent ses positions
  };

  static case_de_table case_de(cle_de_position cle) {
    return {static_cast<std::uint32_t>(cle.paniers), static_cast<std::uint32_t>(cle.paniers >> 32),
            cle.haut};
  }
  static std::uint64_t paniers_de(const case_de_table& k) {
    return (static_cast<std::uint64_t>(k.paniers_haut) << 32) | k.paniers_bas;
  }
  // Le mélange final de MurmurHash3 : les bits bas choisissent la case, les bits hauts le
  // bloc, il faut que les deux soient bien mêlés.
  static std::uint64_t hacher(cle_de_position cle) {
    std::uint64_t h = cle.paniers ^ (static_cast<std::uint64_t>(cle.haut) << 43) ^ (cle.haut >> 21);
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return h;
  }
  std::size_t indice_du_repertoire(std::uint64_t h) const {
    return profondeur_ == 0 ? 0 : static_cast<std::size_t>(h >> (64 - profondeur_));
  }

  bloc nouveau_bloc(int profondeur) {
    if (reste_de_la_reserve_ == 0) {
      // Chaque réserve double la précédente, jusqu'à 24 Mio : un petit niveau prend peu
      // de mémoire, un gros peu de réserves. Elle n'est pas remplie d'avance : seuls les
      // blocs servis sont touchés.
      blocs_de_la_reserve_ = std::min(2 * blocs_de_la_reserve_, blocs_par_reserve_au_plus);
      reserves_.emplace_back(cases_par_bloc * blocs_de_la_reserve_);
      reste_de_la_reserve_ = blocs_de_la_reserve_;
    }
    case_de_table* cases =
        reserves_.back().debut() + cases_par_bloc * (blocs_de_la_reserve_ - reste_de_la_reserve_);
    --reste_de_la_reserve_;
    std::fill_n(cases, cases_par_bloc, case_de_table{0, 0, libre});
    return {cases, 0, profondeur};
  }

  void separer(std::uint32_t b) {
    if (blocs_[b].profondeur == profondeur_) {
      // Des milliards de blocs ne tiendraient pas en mémoire ; un répertoire aussi profond
      // voudrait dire un hachage qui ne sépare plus les positions.
      if (profondeur_ == profondeur_au_plus)
        throw std::length_error("table des positions du solveur saturée");
      // Le répertoire double : chaque entrée devient deux entrées voisines.
      std::vector<std::uint32_t> double_repertoire(2 * repertoire_.size());
      for (std::size_t j = 0; j < repertoire_.size(); ++j) {
        double_repertoire[2 * j] = double_repertoire[2 * j + 1] = repertoire_[j];
      }
      repertoire_ = std::move(double_repertoire);
      ++profondeur_;
    }
    const int profondeur = blocs_[b].profondeur + 1;
    const auto nouveau = static_cast<std::uint32_t>(blocs_.size());
    blocs_.push_back(nouveau_bloc(profondeur));
    blocs_[b].profondeur = profondeur;

    // Les entrées du répertoire qui menaient au bloc forment une plage ; sa moitié haute
    // mène désormais au nouveau bloc.
    const std::size_t largeur = std::size_t{1} << (profondeur_ - profondeur);
    std::size_t debut = 0;
    while (repertoire_[debut] != b) debut += largeur;
    std::fill_n(repertoire_.begin() + static_cast<std::ptrdiff_t>(debut + largeur), largeur,
                nouveau);

    std::copy_n(blocs_[b].cases, cases_par_bloc, copie_.begin());
    std::fill_n(blocs_[b].cases, cases_par_bloc, case_de_table{0, 0, libre});
    blocs_[b].nombre = 0;
    for (const case_de_table& k : copie_) {
      if (k.haut == libre) continue;
      const std::uint64_t h = hacher({paniers_de(k), k.haut});
      bloc& bl = blocs_[repertoire_[indice_du_repertoire(h)]];
      std::size_t i = h & masque_des_cases;
      while (bl.cases[i].haut != libre) i = (i + 1) & masque_des_cases;
      bl.cases[i] = k;
      ++bl.nombre;
    }
  }

  static constexpr std::size_t blocs_par_reserve_au_plus = 512;
  std::vector<memoire_brute<case_de_table>> reserves_;
  std::size_t blocs_de_la_reserve_ = 1;
  std::size_t reste_de_la_reserve_ = 0;
  std::vector<bloc> blocs_;
  std::vector<std::uint32_t> repertoire_;
  int profondeur_ = 0;
  std::vector<case_de_table> copie_ = std::vector<case_de_table>(cases_par_bloc);

  suite_par_blocs<std::uint64_t> file_paniers_;
  suite_par_blocs<std::uint32_t> file_hauts_et_coups_;
  suite_par_blocs<std::uint32_t> file_parents_;
};

// Les coups qu'il est inutile d'essayer après `dernier`, le coup qui a mené à la
// position la première fois :
// un retournement ne touche que son panier et pas la ligne tenue, il commute donc avec
//   tout coup sur un autre panier. Si `c` vient avant `dernier` dans l'ordre des coups,
//   la suite « ... c dernier » mène au même endroit, de même longueur et plus tôt dans
//   l'ordre : « ... dernier c » n'est jamais la première des plus courtes. La recherche
//   atteint alors les mêmes positions par les mêmes chemins, sans le doublon.
constexpr bool inutile_apres(coup dernier, coup c) {
  return dernier >= coup::V1 && c < dernier && panier_du_coup(c) != panier_du_coup(dernier);
}

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
    for (; numeros_[i].b_et_numero != libre; i = (i + 1) & masque_des_numeros_) {
      const grille_numerotee& k = numeros_[i];
      if (k.a == cle.a && (k.b_et_numero & masque_de_b) == cle.b) {
        return static_cast<std::int32_t>(k.b_et_numero >> bits_de_b);
      }
    }
    if (grilles_.size() > masque_du_numero)
      throw std::length_error("trop de paniers différents pour le solveur");
    const auto n = static_cast<std::int32_t>(grilles_.size());
    numeros_[i] = {cle.a, cle.b | (static_cast<std::uint64_t>(n) << bits_de_b)};
    grilles_.push_back(g);
    suites_.push_back({});
    if (4 * grilles_.size() > 3 * numeros_.size())
      grandir_numeros();  // remplie aux trois quarts au plus
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
    for (; poses_[i] != 0; i = (i + 1) & masque_des_poses_) {
      if ((poses_[i] >> bits_du_resultat) == cle) {
        return static_cast<std::int32_t>(poses_[i] & masque_du_resultat) - 1;
      }
    }
    std::int32_t apres = refuse;
    if (!pose_refusee(grilles_[n], haut)) {
      grille g = grilles_[n];
      poser(g, haut);
      apres = numero(g);
    }
    poses_[i] = (cle << bits_du_resultat) | static_cast<std::uint64_t>(apres + 1);
    if (4 * ++nombre_de_poses_ > 3 * poses_.size()) grandir_poses();
    return apres;
  }

  const void* suites_a_precharger(std::int32_t n) const { return &suites_[n]; }
  const void* pose_a_precharger(std::int32_t n, ligne_tenue haut) const {
    return &poses_[place_de_pose((static_cast<std::uint64_t>(n) << bits_de_la_ligne) | haut)];
  }

  std::int32_t vertical(std::int32_t n) {
    if (suites_[n].apres_vertical == inconnu) {
      grille g = grilles_[n];
      retourner_grille_vertical(g);
      const bool sans_effacement = nombre_de_pieces(g) == nombre_de_pieces(grilles_[n]);
      const std::int32_t apres = numero(g);
      suites_[n].apres_vertical = apres;
      suites_[n].vertical_sans_effacement = sans_effacement;
    }
    return suites_[n].apres_vertical;
  }
  // Sans effacement, le retournement vertical ne fait que renverser les piles : le refaire
  // ramène au panier de départ.
  bool vertical_sans_effacement(std::int32_t n) const {
    return suites_[n].vertical_sans_effacement;
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
  // Les 25 pièces de 4 bits d'une grille, dans deux mots : les cases 1 à 16, puis les
  // cases 17 à 25 sur 36 bits.
  struct cle_de_grille {
    std::uint64_t a = 0, b = 0;
  };
  static constexpr int bits_de_b = 36;
  static constexpr std::uint64_t masque_de_b = (std::uint64_t{1} << bits_de_b) - 1;
  static cle_de_grille cle_de(const grille& g) {
    cle_de_grille c;
    for (int i = 0; i < 16; ++i) c.a |= static_cast<std::uint64_t>(g[i] & 0xF) << (4 * i);
    for (int i = 16; i < 25; ++i) c.b |= static_cast<std::uint64_t>(g[i] & 0xF) << (4 * (i - 16));
    return c;
  }
  // Une case de la table des grilles : la clé, et le numéro au-dessus de ses 36 bits ; une
  // seule ligne de cache à lire pour trouver un numéro.
  struct grille_numerotee {
    std::uint64_t a;
    std::uint64_t b_et_numero;  // « libre » : case vide
  };
  static constexpr std::uint64_t libre = ~std::uint64_t{0};
  static_assert(bits_du_numero <= 64 - bits_de_b - 1);

  std::size_t place(const cle_de_grille& c) const {
    const std::uint64_t h = (c.a * multiplicateur_de_fibonacci) ^ (c.b + (c.a >> 29));
    return static_cast<std::size_t>((h * multiplicateur_de_fibonacci) >> decalage_des_numeros_);
  }
  void dimensionner_numeros(int bits) {
    numeros_.assign(std::size_t{1} << bits, grille_numerotee{0, libre});
    masque_des_numeros_ = numeros_.size() - 1;
    decalage_des_numeros_ = 64 - bits;
  }
  void grandir_numeros() {
    const tableau<grille_numerotee> anciens = std::move(numeros_);
    dimensionner_numeros(64 - decalage_des_numeros_ + 1);
    for (const grille_numerotee& k : anciens) {
      if (k.b_et_numero == libre) continue;
      std::size_t i = place({k.a, k.b_et_numero & masque_de_b});
      while (numeros_[i].b_et_numero != libre) i = (i + 1) & masque_des_numeros_;
      numeros_[i] = k;
    }
  }

  // Une pose connue tient dans un mot : le numéro du panier et la ligne posée, puis le
  // numéro du panier obtenu plus un (0 : pose refusée). Un mot nul est une case vide.
  using pose_connue = std::uint64_t;
  static constexpr int bits_du_resultat = bits_du_numero + 1;
  static constexpr std::uint64_t masque_du_resultat = (std::uint64_t{1} << bits_du_resultat) - 1;
  static_assert(bits_du_numero + bits_de_la_ligne + bits_du_resultat <= 64);
  std::size_t place_de_pose(std::uint64_t cle) const {
    return static_cast<std::size_t>((cle * multiplicateur_de_fibonacci) >> decalage_des_poses_);
  }
  void dimensionner_poses(int bits) {
    poses_.assign(std::size_t{1} << bits, 0);
    masque_des_poses_ = poses_.size() - 1;
    decalage_des_poses_ = 64 - bits;
  }
  void grandir_poses() {
    const tableau<pose_connue> anciennes = std::move(poses_);
    dimensionner_poses(64 - decalage_des_poses_ + 1);
    for (const pose_connue p : anciennes) {
      if (p == 0) continue;
      std::size_t i = place_de_pose(p >> bits_du_resultat);
      while (poses_[i] != 0) i = (i + 1) & masque_des_poses_;
      poses_[i] = p;
    }
  }

  static int nombre_de_pieces(const grille& g) {
    return static_cast<int>(std::count_if(g.begin(), g.end(), [](piece p) { return p != 0; }));
  }

  struct suites {
    std::int32_t apres_levee = inconnu;
    ligne_tenue ligne_levee = 0;
    std::int32_t apres_vertical = inconnu;
    bool vertical_sans_effacement = false;
    std::int32_t apres_horizontal = inconnu;
  };

  tableau<grille> grilles_;
  tableau<suites> suites_;
  tableau<grille_numerotee> numeros_;
  std::size_t masque_des_numeros_ = 0;
  int decalage_des_numeros_ = 64;
  tableau<pose_connue> poses_;
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
  vues.ajouter(cle_de_depart, coup::P1, false, 0);

  // Les filles d'une position ne sont ajoutées que `retard` positions plus tard, dans
  // l'ordre : leurs cases de la table, préchargées dès leur calcul, sont alors arrivées.
  struct lot_de_filles {
    std::array<cle_de_position, nombre_de_coups> cles;
    std::array<coup, nombre_de_coups> coups;
    std::array<bool, nombre_de_coups> rejouer_ramene;
    std::size_t nombre = 0;
    std::uint32_t parent = 0;
  };
  constexpr std::size_t retard = 3;
  std::array<lot_de_filles, retard> en_attente{};
  auto ajouter_le_lot = [&](lot_de_filles& lot) {
    for (std::size_t k = 0; k < lot.nombre; ++k)
      vues.ajouter(lot.cles[k], lot.coups[k], lot.rejouer_ramene[k], lot.parent);
    lot.nombre = 0;
  };
  auto ajouter_tous_les_lots = [&](std::size_t i) {
    for (std::size_t k = 1; k <= retard; ++k) ajouter_le_lot(en_attente[(i + k) % retard]);
  };
  constexpr std::size_t avance_des_poses = 4;

  for (std::size_t i = 0;; ++i) {
    ajouter_le_lot(en_attente[i % retard]);
    if (i >= vues.taille()) {
      ajouter_tous_les_lots(i);
      if (i >= vues.taille()) break;
    }
    if (i + avance_des_poses < vues.taille()) {
      // Ce que les coups de la position liront dans les tables des paniers.
      const cle_de_position plus_loin = vues.cle(i + avance_des_poses);
      for (int b = 0; b < nombre_de_paniers; ++b) {
        const auto numero = static_cast<std::int32_t>((plus_loin.paniers >> decalage_du_panier(b)) &
                                                      masque_du_numero);
        if (plus_loin.haut != 0)
          __builtin_prefetch(paniers.pose_a_precharger(numero, plus_loin.haut));
        __builtin_prefetch(paniers.suites_a_precharger(numero));
      }
    }

    const cle_de_position cle = vues.cle(i);
    const coup dernier = vues.coup_joue(i);
    const bool rejouer_ramene = vues.rejouer_ramene(i);

    lot_de_filles& lot = en_attente[i % retard];
    lot.parent = static_cast<std::uint32_t>(i);
    for (const coup c : coups_offerts) {
      if (inutile_apres(dernier, c) || (rejouer_ramene && c == dernier)) continue;
      const int n = static_cast<int>(c);
      const int decalage = decalage_du_panier(n % 3);
      const auto numero = static_cast<std::int32_t>((cle.paniers >> decalage) & masque_du_numero);
      cle_de_position fille{cle.paniers & ~(masque_du_numero << decalage), cle.haut};
      std::int32_t apres;
      bool ramene;  // rejouer c depuis la fille ramènerait ici
      if (n < 3) {
        if (cle.haut == 0) {
          if (numero == 0) continue;
          const auto [apres_levee, ligne_levee] = paniers.levee(numero);
          apres = apres_levee;
          fille.haut = ligne_levee;
          ramene = true;  // la ligne reposée dans son panier retombe là d'où elle vient
        } else {
          apres = paniers.pose(numero, cle.haut);
          if (apres == refuse) continue;
          fille.haut = 0;
          ramene = false;
        }
      } else if (n < 6) {
        apres = paniers.vertical(numero);
        if (apres == numero) continue;
        ramene = paniers.vertical_sans_effacement(numero);
      } else {
        apres = paniers.horizontal(numero);
        if (apres == numero) continue;
        ramene = true;
      }
      fille.paniers |= static_cast<std::uint64_t>(apres) << decalage;
      if (fille == cle_de_position{}) {
        // Toutes les positions vues sont comptées, celles en attente comprises.
        ajouter_tous_les_lots(i);
        s.coups.push_back(nom_du_coup(c));
        for (std::size_t j = i; j != 0; j = vues.parent(j))
          s.coups.push_back(nom_du_coup(vues.coup_joue(j)));
        std::reverse(s.coups.begin(), s.coups.end());
        s.possible = true;
        s.etats_visites = vues.taille() + 1;
        return s;
      }
      __builtin_prefetch(vues.case_a_precharger(fille));
      lot.cles[lot.nombre] = fille;
      lot.coups[lot.nombre] = c;
      lot.rejouer_ramene[lot.nombre++] = ramene;
    }
  }
  s.etats_visites = vues.taille();
  return s;
}

}  // namespace veltor::solveur
