// La table constante des 80 niveaux, indexée de 1 à 80.
#pragma once

#include "etat_du_jeu.h"

namespace veltor {

// Le plan du niveau n, 1 <= n <= 80.
const plan_de_niveau& table_des_niveaux(int n);

}  // namespace veltor
