// Le banc du solveur : résout les 80 niveaux plusieurs fois et donne la médiane du temps
// total, le plus gros niveau (positions vues et temps), le total des coups et la mémoire
// de pointe du processus.
//
//   cmake --build <construction> --target veltor95-banc-solveur &&
//   <construction>/bin/veltor95-banc-solveur [tours]
//
// Les temps sont ceux d'une machine partagée : la médiane de plusieurs tours les lisse.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "jeu/etat_du_jeu.h"
#include "outils/solveur/solveur.h"

namespace {

// Le temps de processeur du processus : sur une machine partagée, il dépend moins des
// autres programmes que le temps écoulé.
double temps_processeur() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t m = v.size() / 2;
  return v.size() % 2 == 1 ? v[m] : (v[m - 1] + v[m]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int tours = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  using horloge = std::chrono::steady_clock;

  std::vector<double> totaux;
  std::vector<double> totaux_processeur;
  std::vector<std::vector<double>> par_niveau(veltor::nombre_de_niveaux + 1);
  std::vector<veltor::solveur::solution> solutions(veltor::nombre_de_niveaux + 1);
  for (int t = 0; t < tours; ++t) {
    const auto debut = horloge::now();
    const double debut_processeur = temps_processeur();
    for (int n = 1; n <= veltor::nombre_de_niveaux; ++n) {
      const auto debut_du_niveau = horloge::now();
      solutions[n] = veltor::solveur::resoudre(n);
      par_niveau[n].push_back(
          std::chrono::duration<double>(horloge::now() - debut_du_niveau).count());
    }
    totaux.push_back(std::chrono::duration<double>(horloge::now() - debut).count());
    totaux_processeur.push_back(temps_processeur() - debut_processeur);
  }

  int plus_gros = 1;
  std::size_t coups = 0;
  int impossibles = 0;
  for (int n = 1; n <= veltor::nombre_de_niveaux; ++n) {
    if (solutions[n].etats_visites > solutions[plus_gros].etats_visites) plus_gros = n;
    coups += solutions[n].coups.size();
    if (!solutions[n].possible) ++impossibles;
  }

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);

  std::printf("tours : %d\n", tours);
  std::printf("temps total des 80 niveaux, médiane : %.3f s (min %.3f, max %.3f)\n",
              mediane(totaux), *std::min_element(totaux.begin(), totaux.end()),
              *std::max_element(totaux.begin(), totaux.end()));
  // Le premier tour part d'une mémoire neuve ; les suivants retrouvent celle que les
  // tours précédents ont rendue à l'allocateur.
  std::printf("premier tour : %.3f s écoulées, %.3f s de processeur\n", totaux[0], totaux_processeur[0]);
  std::printf("temps de processeur des 80 niveaux, médiane : %.3f s\n", mediane(totaux_processeur));
  std::printf("plus gros niveau : %d, %zu positions vues, médiane %.3f s\n", plus_gros,
              solutions[plus_gros].etats_visites, mediane(par_niveau[plus_gros]));
  std::printf("coups des solutions : %zu au total, %d niveau(x) impossible(s)\n", coups,
              impossibles);
  std::printf("mémoire de pointe : %.1f Mio\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
