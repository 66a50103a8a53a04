// Le solveur : la plus courte suite de coups du joueur qui termine un niveau depuis son début.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace veltor::solveur {

struct solution {
  int niveau = 0;
  bool possible = false;
  std::vector<std::string> coups;  // « P1 », « V2 », « H3 »...
  std::size_t etats_visites = 0;   // états distincts atteints par la recherche
};

// Parmi les suites les plus courtes, la première dans l'ordre des coups
// P1 P2 P3 V1 V2 V3 H1 H2 H3. Un niveau est prouvé impossible quand tout son espace
// d'états atteignables est épuisé.
solution resoudre(int niveau);

}  // namespace veltor::solveur
