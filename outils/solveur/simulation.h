// La simulation rapide des règles qu'utilise le solveur : un panier est une grille de
// 25 pièces, la ligne tenue un entier de 20 bits. Elle ne passe par aucune requête et
// donne, coup après coup, les mêmes paniers et la même ligne tenue que les règles du jeu.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "jeu/etat_du_jeu.h"

namespace veltor::solveur {

// Les 25 cases d'un panier, rangée par rangée depuis le haut : case (r, c) à l'indice
// 5 (r − 1) + (c − 1), comme dans plan_de_niveau.
using grille = std::array<piece, 25>;

// La ligne tenue : la case k (1..5) dans les bits 4 (k − 1) à 4 (k − 1) + 3. Une ligne
// tenue n'est jamais vide, donc 0 veut dire « rien n'est tenu » (ligne_prise à 0).
using ligne_tenue = std::uint32_t;

// Les coups du joueur, dans l'ordre où le solveur les essaie.
enum class coup : std::uint8_t { P1, P2, P3, V1, V2, V3, H1, H2, H3 };
inline constexpr int nombre_de_coups = 9;

// « P1 », « V2 », « H3 »...
std::string nom_du_coup(coup c);
// Le panier (1..3) sur lequel le coup agit.
constexpr int panier_du_coup(coup c) { return static_cast<int>(c) % 3 + 1; }

// Les pièces de chaque colonne tombent jusqu'à reposer les unes sur les autres.
void tasser(grille& g);
// Efface ensemble toutes les pièces qui touchent une pièce égale par un côté, fait
// tomber le reste et recommence jusqu'à ce que plus rien ne s'efface.
void resoudre(grille& g);
// Lève la rangée occupée la plus haute d'un panier tassé et non vide ; rend la ligne levée.
ligne_tenue lever(grille& g);
// Vrai quand une pièce de la ligne tomberait sur une colonne pleine : la pose est refusée.
bool pose_refusee(const grille& g, ligne_tenue haut);
// Pose la ligne (non vide) dans la rangée du haut, puis tasse et résout. La pose ne doit
// pas être refusée.
void poser(grille& g, ligne_tenue haut);
// Le retournement vertical d'un panier tassé (chaque pile se renverse), suivi de la
// résolution ; l'horizontal, le miroir gauche-droite, que rien ne suit.
void retourner_grille_vertical(grille& g);
void retourner_grille_horizontal(grille& g);

struct position {
  std::array<grille, nombre_de_paniers> paniers{};
  ligne_tenue haut = 0;
  bool operator==(const position&) const = default;
};

position position_du_plan(const plan_de_niveau& plan);
// Le plan de la position : les 84 octets, en-tête compris, avec les paniers de la position.
plan_de_niveau plan_de_la_position(const plan_de_niveau& entete, const position& p);
ligne_tenue ligne_de(const piece (&ligne_du_haut)[cote_du_panier]);
// Le coup est offert par le niveau : porte montrée, et retournement permis pour V et H.
bool coup_offert(const plan_de_niveau& plan, coup c);
// Joue le coup sans regarder s'il est offert. Faux, et position inchangée, quand le clic
// ou le bouton ne changerait rien : panier vide sans ligne tenue, pose refusée,
// retournement qui redonne le même panier.
bool jouer(position& p, coup c);
// Le niveau est fini : paniers vides et rien de tenu.
bool terminee(const position& p);

}  // namespace veltor::solveur
