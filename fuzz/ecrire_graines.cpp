// Écrit les graines du fuzzer dans le dossier donné : un fichier vide, un fichier d'un octet
// trop court, un fichier complet de parties que le jeu aurait pu sauver, le même suivi d'une
// longue suite de coups, et deux fichiers dont les valeurs sortent des bornes.
//   ecrire_graines <dossier>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "jeu/sauvegarde.h"

namespace {

using namespace veltor;
namespace fs = std::filesystem;
using octets = std::vector<std::uint8_t>;

// Une partie au début du niveau n, à la vitesse et dans le mode donnés.
std::unique_ptr<etat_du_jeu> debut_du_niveau(int n, int pas, int mode) {
  auto etat = std::make_unique<etat_du_jeu>();
  requetes_sans_fenetre r(*etat);
  commencer_niveau(*etat, r, n);
  etat->nombre_de_pas = static_cast<octet>(pas);
  etat->mode_affichage = static_cast<octet>(mode);
  return etat;
}

// Un niveau presque fini : deux pièces égales au fond du panier 1 (ou une seule, l'autre
// tenue au-dessus), de quoi finir le niveau en un coup ou deux.
std::unique_ptr<etat_du_jeu> presque_fini(int n, bool une_tenue) {
  auto etat = debut_du_niveau(n, 7, 2);
  etat->plan = plan_de_niveau{};
  etat->plan.retournements_permis[0] = 1;
  etat->plan.portes_visibles[0] = 1;
  etat->cellule(1, 5, 1) = 3;
  if (une_tenue) {
    etat->haut(1) = 3;
    etat->ligne_prise = 1;
  } else {
    etat->cellule(1, 5, 2) = 3;
  }
  return etat;
}

partie_sauvegardee enregistrement(const etat_du_jeu& etat) {
  partie_sauvegardee p{};
  remplir_emplacement(p, etat);
  return p;
}

// Six parties que le jeu aurait pu écrire, avec les cas limites d'un vrai fichier.
emplacements_des_parties parties_valides() {
  emplacements_des_parties e{};
  e[0] = enregistrement(*debut_du_niveau(1, 1, 2));
  {
    // Une ligne tenue au niveau 17, en vitesse 0 et en images simplifiées.
    auto etat = debut_du_niveau(17, 0, 1);
    requetes_sans_fenetre r(*etat);
    for (int b = 1; b <= nombre_de_paniers && etat->ligne_prise == 0; ++b)
      choisir_panier(*etat, r, b);
    e[1] = enregistrement(*etat);
  }
  // e[2] reste vide.
  e[3] = enregistrement(*presque_fini(12, false));
  e[3].reserve = 0xAB;  // le jeu ne l'écrit jamais, il le rend tel qu'il l'a lu
  {
    // Un coup joué au niveau 40 ; occupe à 0 ne vide pas l'emplacement.
    auto etat = debut_du_niveau(40, 3, 2);
    requetes_sans_fenetre r(*etat);
    for (int b = 1; b <= nombre_de_paniers && etat->ligne_prise == 0; ++b)
      choisir_panier(*etat, r, b);
    choisir_panier(*etat, r, 2);
    e[4] = enregistrement(*etat);
    e[4].occupe = 0;
  }
  e[5] = enregistrement(*presque_fini(80, true));
  return e;
}

octets en_octets(const emplacements_des_parties& e) {
  const auto* debut = reinterpret_cast<const std::uint8_t*>(e.data());
  return octets(debut, debut + sizeof e);
}

// Une suite de coups pseudo-aléatoire, toujours la même.
octets suite_de_coups(std::size_t n) {
  octets s(n);
  std::uint32_t x = 95;
  for (auto& o : s) {
    x = x * 1664525u + 1013904223u;
    o = static_cast<std::uint8_t>(x >> 24);
  }
  return s;
}

bool ecrire(const fs::path& dossier, const char* nom, const octets& contenu) {
  std::ofstream f(dossier / nom, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(contenu.data()),
          static_cast<std::streamsize>(contenu.size()));
  f.close();
  if (!f) std::fprintf(stderr, "ecrire_graines : %s non écrit\n", nom);
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage : ecrire_graines <dossier>\n");
    return 2;
  }
  const fs::path dossier = argv[1];
  std::error_code ec;
  fs::create_directories(dossier, ec);

  const emplacements_des_parties valides = parties_valides();
  const octets complet = en_octets(valides);
  octets courte(complet.begin(), complet.end() - 1);
  octets longue = complet;
  const octets coups = suite_de_coups(4096 - complet.size());
  longue.insert(longue.end(), coups.begin(), coups.end());

  // Un défaut par emplacement, chacun sur une partie par ailleurs valide.
  emplacements_des_parties faux1 = valides;
  faux1[0].numero_niveau = 81;
  faux1[1].mode_affichage = 0;
  faux1[2] = valides[0];
  faux1[2].mode_affichage = 3;
  faux1[3].nombre_de_pas = 8;
  faux1[4].ligne_prise = 2;
  faux1[5].plan.paniers[0][4][0] = 16;

  emplacements_des_parties faux2 = valides;
  faux2[0].ligne_du_haut[4] = 16;
  faux2[1].numero_niveau = 255;
  faux2[2] = valides[1];
  faux2[2].plan.paniers[2][4][4] = 255;  // la dernière case du fichier
  faux2[3].occupe = 1;                   // vide malgré occupe
  faux2[3].numero_niveau = 0;
  faux2[4].reserve = 0xFF;  // des têtes de niveau quelconques restent permises
  for (auto& o : faux2[4].plan.retournements_permis) o = 0xFF;
  for (auto& o : faux2[4].plan.portes_visibles) o = 0x80;
  octets faux2_et_coups = en_octets(faux2);
  const octets quelques_coups = suite_de_coups(30);
  faux2_et_coups.insert(faux2_et_coups.end(), quelques_coups.begin(), quelques_coups.end());

  const bool ok = ecrire(dossier, "vide", {}) && ecrire(dossier, "courte-569", courte) &&
                  ecrire(dossier, "complete-570", complet) &&
                  ecrire(dossier, "longue-4096", longue) &&
                  ecrire(dossier, "hors-bornes-570", en_octets(faux1)) &&
                  ecrire(dossier, "hors-bornes-et-coups-600", faux2_et_coups);
  return ok ? 0 : 1;
}
