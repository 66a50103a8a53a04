// L'état du jeu : le seul enregistrement que toutes les règles lisent et changent,
// la disposition d'un niveau et la liste des cases à effacer. Des octets, rien d'autre.
#pragma once

#include <cstdint>

namespace veltor {

using octet = std::uint8_t;
// 0 : case vide ; 1 à 15 : les quinze sortes de pièces.
using piece = std::uint8_t;

inline constexpr int nombre_de_paniers = 3;
inline constexpr int cote_du_panier = 5;
inline constexpr int nombre_de_niveaux = 80;
inline constexpr int capacite_cases_a_effacer = 1000;

// Toutes les coordonnées comptent à partir de 1 : panier 1..3 de gauche à droite,
// rangée 1..5 du haut vers le bas, colonne 1..5 de gauche à droite.
struct plan_de_niveau {
  // Octets 0..5 : retournement vertical puis horizontal des paniers 1, 2, 3 (1 : permis).
  octet retournements_permis[6];
  // Octets 6..8 : la porte du panier est montrée (1) ou cachée (0).
  octet portes_visibles[3];
  // Octets 9..83 : les 25 cases de chaque panier, rangée par rangée depuis le haut.
  piece paniers[nombre_de_paniers][cote_du_panier][cote_du_panier];

  piece& cellule(int panier, int rangee, int colonne) {
    return paniers[panier - 1][rangee - 1][colonne - 1];
  }
  piece cellule(int panier, int rangee, int colonne) const {
    return paniers[panier - 1][rangee - 1][colonne - 1];
  }
  bool operator==(const plan_de_niveau&) const = default;
};
static_assert(sizeof(plan_de_niveau) == 84);

// Une entrée de la liste des cases à effacer, dans l'ordre panier, colonne, rangée.
// Un octet panier à 0 marque une entrée rayée (un doublon).
struct case_a_effacer {
  octet panier;
  octet colonne;
  octet rangee;
  bool operator==(const case_a_effacer&) const = default;
};
static_assert(sizeof(case_a_effacer) == 3);

struct etat_du_jeu {
  octet mode_affichage = 2;  // 1 : images simplifiées ; 2 : images graphiques
  octet numero_niveau = 1;   // 1..80
  octet nombre_de_pas = 1;   // étapes intermédiaires de chaque animation, 0..7
  plan_de_niveau plan{};
  piece ligne_du_haut[cote_du_panier]{};  // la ligne tenue, cases 1..5
  octet ligne_prise = 0;                  // 1 tant qu'une ligne levée attend d'être posée
  std::int32_t nombre_a_effacer = 0;
  // Entrées 1..nombre_a_effacer ; l'entrée 0 ne sert pas.
  case_a_effacer cases_a_effacer[capacite_cases_a_effacer + 1]{};

  piece& haut(int k) { return ligne_du_haut[k - 1]; }
  piece haut(int k) const { return ligne_du_haut[k - 1]; }
  piece& cellule(int panier, int rangee, int colonne) {
    return plan.cellule(panier, rangee, colonne);
  }
  piece cellule(int panier, int rangee, int colonne) const {
    return plan.cellule(panier, rangee, colonne);
  }
};

}  // namespace veltor
