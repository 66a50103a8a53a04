// La simulation du solveur face aux vraies règles : sur des suites de coups tirées au
// hasard depuis le début de chaque niveau, les paniers, la ligne tenue et ligne_prise
// restent les mêmes des deux côtés, et un coup que la simulation déclare sans effet ne
// change rien non plus au vrai jeu.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "jeu/niveaux.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "outils/solveur/simulation.h"

namespace veltor::solveur {
namespace {

// Le coup joué par le vrai jeu, comme le feraient les clics du joueur.
void jouer_pour_de_vrai(etat_du_jeu& etat, requetes& r, coup c) {
  const int b = panier_du_coup(c);
  switch (static_cast<int>(c) / 3) {
    case 0:
      choisir_panier(etat, r, b);
      break;
    case 1:
      retourner_vertical(etat, r, b);
      break;
    default:
      retourner_horizontal(etat, r, b);
      break;
  }
}

struct position_reelle {
  plan_de_niveau plan;
  ligne_tenue haut;
  octet ligne_prise;
  bool operator==(const position_reelle&) const = default;
};

position_reelle position_de(const etat_du_jeu& etat) {
  return {etat.plan, ligne_de(etat.ligne_du_haut), etat.ligne_prise};
}

struct compteurs {
  int coups_sans_effet = 0;
  int poses_refusees = 0;
  int niveaux_finis = 0;
};

// Des parties au hasard depuis ce plan, jouées des deux côtés et comparées après chaque coup.
void comparer_au_hasard(const plan_de_niveau& plan, int numero, std::mt19937& hasard,
                        compteurs& vus) {
  constexpr int parties = 40;
  constexpr int coups_par_partie = 60;
  std::vector<coup> offerts;
  for (int k = 0; k < nombre_de_coups; ++k) {
    if (coup_offert(plan, static_cast<coup>(k))) offerts.push_back(static_cast<coup>(k));
  }
  ASSERT_FALSE(offerts.empty());
  for (int partie = 0; partie < parties; ++partie) {
    etat_du_jeu etat;
    requetes_sans_fenetre r(etat);
    etat.numero_niveau = static_cast<octet>(numero);
    etat.plan = plan;
    position p = position_du_plan(plan);
    for (int i = 0; i < coups_par_partie; ++i) {
      const coup c = offerts[hasard() % offerts.size()];
      SCOPED_TRACE(testing::Message() << "niveau " << numero << ", partie " << partie << ", coup "
                                      << i << " " << nom_du_coup(c));
      const position_reelle avant = position_de(etat);
      const bool a_refuser =
          c <= coup::P3 && p.haut != 0 && pose_refusee(p.paniers[panier_du_coup(c) - 1], p.haut);
      const bool a_agi = jouer(p, c);
      jouer_pour_de_vrai(etat, r, c);
      if (!a_agi) {
        ++vus.coups_sans_effet;
        vus.poses_refusees += a_refuser;
        ASSERT_EQ(position_de(etat), avant) << "un coup sans effet pour le solveur a changé le jeu";
        continue;
      }
      if (etat.numero_niveau != numero || r.fin_du_jeu()) {
        ASSERT_TRUE(terminee(p)) << "le jeu a fini le niveau, pas la simulation";
        ++vus.niveaux_finis;
        break;
      }
      ASSERT_FALSE(terminee(p));
      ASSERT_EQ(position_de(etat),
                (position_reelle{plan_de_la_position(plan, p), p.haut, octet(p.haut != 0)}));
    }
  }
}

TEST(Simulation, SuitLesVraiesReglesSurLesNiveaux) {
  std::mt19937 hasard(95);
  compteurs vus;
  for (int n = 1; n <= nombre_de_niveaux; ++n) {
    comparer_au_hasard(table_des_niveaux(n), n, hasard, vus);
    if (HasFatalFailure()) return;
  }
  // Le tirage doit passer par les coups sans effet et par des fins de niveau.
  EXPECT_GT(vus.coups_sans_effet, 0);
  EXPECT_GT(vus.niveaux_finis, 0);
}

// Aucun niveau n'a plus de cinq pièces dans une même colonne (miroir compris) : la pose
// refusée sur une colonne pleine ne se voit que sur des plans faits pour elle.
TEST(Simulation, SuitLesVraiesReglesSurDesColonnesPleines) {
  plan_de_niveau plan{};
  for (octet& o : plan.retournements_permis) o = 1;
  for (octet& o : plan.portes_visibles) o = 1;
  const piece colonne[5] = {1, 2, 1, 2, 1};
  for (int r = 0; r < 5; ++r) {
    plan.paniers[0][r][0] = colonne[r];          // panier 1 : colonne 1 pleine
    plan.paniers[1][r][4] = colonne[4 - r] + 2;  // panier 2 : colonne 5 pleine, 3 et 4
  }
  plan.paniers[1][4][0] = 2;
  plan.paniers[2][4][0] = 3;
  plan.paniers[2][4][4] = 1;
  plan.paniers[2][3][4] = 4;

  std::mt19937 hasard(1995);
  compteurs vus;
  comparer_au_hasard(plan, 1, hasard, vus);
  EXPECT_GT(vus.poses_refusees, 0);
}

}  // namespace
}  // namespace veltor::solveur
