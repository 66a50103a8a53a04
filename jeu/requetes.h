// Ce que les règles demandent au reste du jeu : montrer ce qui s'est passé, garder la
// position pour le retour en arrière, annoncer la fin d'un niveau. Les règles n'appellent
// rien d'autre ; la fenêtre principale, la console et les tests fournissent chacun un corps.
#pragma once

#include <string>

#include "etat_du_jeu.h"

namespace veltor {

// Une place que montre une image : une case d'un panier, ou une case de la ligne du haut.
struct lieu {
  octet panier = 0;   // 1..3 ; 0 pour la ligne du haut
  octet rangee = 0;   // 1..5 ; 0 pour la ligne du haut
  octet colonne = 0;  // 1..5 ; pour la ligne du haut, la case k

  static constexpr lieu case_du_panier(int panier, int rangee, int colonne) {
    return {static_cast<octet>(panier), static_cast<octet>(rangee), static_cast<octet>(colonne)};
  }
  static constexpr lieu case_du_haut(int k) { return {0, 0, static_cast<octet>(k)}; }
  constexpr bool est_du_haut() const { return panier == 0; }
  bool operator==(const lieu&) const = default;
};

class requetes {
 public:
  virtual ~requetes() = default;

  // Garder la position actuelle pour le retour en arrière.
  virtual void memoriser_historique() = 0;

  // Le moteur d'animation : une liste d'échanges d'images, jouée d'un coup.
  virtual void vider_liste_des_deplacements() = 0;
  virtual void ajouter_deplacement(lieu premiere_image, lieu seconde_image) = 0;
  virtual void animer_deplacements() = 0;

  // Au début de chaque passe de chute : la fenêtre principale fait tout de suite
  // le dessin qui attend encore.
  virtual void repeindre_en_attente() = 0;

  // L'effet d'effacement. Au retour, chaque case nommée par la liste vaut 0 dans le plan
  // et les entrées répétées sont rayées : c'est la seule requête qui change l'état.
  virtual void effacer_cases() = 0;

  virtual void redessiner_plateau() = 0;

  // Le son du niveau, joué juste avant que la fenêtre du niveau suivant ne s'ouvre.
  virtual void jouer_son_niveau() = 0;
  // La fenêtre « niveau suivant », modale, avec sa légende ; revient quand elle est fermée.
  virtual void montrer_fenetre_suivant(const std::string& legende) = 0;
  // La fenêtre de fin, après le niveau 80 ; revient quand elle est fermée.
  virtual void montrer_fenetre_fin() = 0;
  // Le programme s'arrêtera une fois le clic en cours traité.
  virtual void terminer_programme() = 0;
};

}  // namespace veltor
