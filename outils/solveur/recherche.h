// La recherche du solveur sur un plan quelconque, et pas seulement sur un niveau de la
// table : les tests lui donnent de petits plans faits à la main.
#pragma once

#include "jeu/etat_du_jeu.h"
#include "outils/solveur/solveur.h"

namespace veltor::solveur {

// Comme resoudre, depuis ce plan, rien n'étant tenu ; `niveau` est recopié dans la solution.
solution resoudre_plan(const plan_de_niveau& plan, int niveau = 0);

}  // namespace veltor::solveur
