// La console : rejoue une suite de coups depuis le début d'un niveau et en écrit le
// résultat, ou résout des niveaux avec le solveur.
//
//   veltor95-console [--trace] [--historique] [--dossier DOSSIER] NIVEAU COUP...
//   veltor95-console --resoudre N... | --resoudre tout
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace veltor::console {

inline constexpr int sortie_reussie = 0;
inline constexpr int sortie_arguments_incorrects = 2;
inline constexpr int sortie_coup_refuse = 3;

// Les arguments sans le nom du programme ; rend le code de sortie. Rien n'est écrit sur
// `sortie` quand la commande est refusée : le message va sur `erreurs`.
int executer(const std::vector<std::string>& arguments, std::ostream& sortie,
             std::ostream& erreurs);

}  // namespace veltor::console
