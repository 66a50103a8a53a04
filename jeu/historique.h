// La seule position gardée pour le retour en arrière (profondeur un).
#pragma once

#include "etat_du_jeu.h"

namespace veltor {

struct historique {
  plan_de_niveau plan{};
  piece ligne_du_haut[cote_du_panier]{};
  octet ligne_prise = 0;
};

// Copie le plan, la ligne du haut puis ligne_prise de l'état dans l'historique.
void memoriser_historique(const etat_du_jeu& etat, historique& h);
// Copie les mêmes trois parties, dans le même ordre, de l'historique dans l'état.
void restaurer_historique(const historique& h, etat_du_jeu& etat);

}  // namespace veltor
