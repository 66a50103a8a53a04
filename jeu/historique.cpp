// Le retour en arrière d'un coup : des copies d'octets, sans rien vérifier.
#include "historique.h"

#include <algorithm>
#include <iterator>

namespace veltor {

void memoriser_historique(const etat_du_jeu& etat, historique& h) {
  h.plan = etat.plan;
  std::copy(std::begin(etat.ligne_du_haut), std::end(etat.ligne_du_haut), h.ligne_du_haut);
  h.ligne_prise = etat.ligne_prise;
}

void restaurer_historique(const historique& h, etat_du_jeu& etat) {
  etat.plan = h.plan;
  std::copy(std::begin(h.ligne_du_haut), std::end(h.ligne_du_haut), etat.ligne_du_haut);
  etat.ligne_prise = h.ligne_prise;
}

}  // namespace veltor
