// La table des niveaux : les propriétés que toute copie fidèle garde, et le début d'une partie.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "jeu/niveaux.h"
#include "jeu/regles.h"
#include "outils_de_test.h"

namespace veltor {
namespace {

using test::lire_panier;

TEST(TableDesNiveaux, ChaqueNiveauGardeLesCinqProprietes) {
  for (int n = 1; n <= nombre_de_niveaux; ++n) {
    SCOPED_TRACE("niveau " + std::to_string(n));
    const plan_de_niveau& p = table_des_niveaux(n);
    for (octet o : p.retournements_permis) EXPECT_LE(o, 1);
    for (octet o : p.portes_visibles) EXPECT_LE(o, 1);
    std::map<piece, int> occurrences;
    for (int b = 1; b <= 3; ++b)
      for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) {
          const piece v = p.cellule(b, r, c);
          if (v == 0) continue;
          ++occurrences[v];
          EXPECT_EQ(p.portes_visibles[b - 1], 1) << "pièce dans un panier caché " << b;
          if (r < 5) {
            EXPECT_NE(p.cellule(b, r + 1, c), 0) << "pièce suspendue " << b << r << c;
            EXPECT_NE(p.cellule(b, r + 1, c), v) << "paire verticale " << b << r << c;
          }
          if (c < 5) {
            EXPECT_NE(p.cellule(b, r, c + 1), v) << "paire horizontale " << b << r << c;
          }
        }
    EXPECT_FALSE(occurrences.empty());
    for (const auto& [v, nombre] : occurrences) EXPECT_GE(nombre, 2) << "pièce " << int(v);
  }
}

TEST(TableDesNiveaux, PremierEtDernierNiveauxCommeDansLaTable) {
  etat_du_jeu etat;
  charger_niveau(etat, 80);
  EXPECT_EQ(etat.plan.retournements_permis[0], 1);  // bouton_v1
  EXPECT_EQ(etat.plan.retournements_permis[3], 1);  // bouton_h2
  EXPECT_EQ(etat.plan.retournements_permis[4], 1);  // bouton_v3
  EXPECT_EQ(etat.plan.retournements_permis[1] + etat.plan.retournements_permis[2] +
                etat.plan.retournements_permis[5],
            0);
  EXPECT_EQ(lire_panier(etat, 1), "00000 00000 0A000 0E000 0BA00");
  EXPECT_EQ(lire_panier(etat, 2), "00000 00000 00000 0000B 00A0E");
  EXPECT_EQ(lire_panier(etat, 3), "00000 00000 00000 00000 B0000");

  charger_niveau(etat, 1);
  EXPECT_EQ(lire_panier(etat, 1), "00000 00000 00000 00000 12000");
  EXPECT_EQ(lire_panier(etat, 2), "00000 00000 00000 00000 01200");
  EXPECT_EQ(lire_panier(etat, 3), "00000 00000 00000 00000 00000");
  EXPECT_EQ(etat.plan.portes_visibles[2], 0);
}

TEST(TableDesNiveaux, UnNumeroHorsDeLaTableEstRefuse) {
  EXPECT_THROW(table_des_niveaux(0), std::out_of_range);
  EXPECT_THROW(table_des_niveaux(81), std::out_of_range);
}

TEST(DebutDePartie, ModeGraphiqueNiveauUnVitesseUnRienDeTenu) {
  test::partie p;
  p.etat.mode_affichage = 1;
  p.etat.nombre_de_pas = 5;
  p.etat.numero_niveau = 9;
  test::poser_haut(p.etat, "30000");
  p.etat.ligne_prise = 1;
  demarrer_partie(p.etat, p.trace);
  EXPECT_EQ(p.etat.mode_affichage, 2);
  EXPECT_EQ(p.etat.numero_niveau, 1);
  EXPECT_EQ(p.etat.nombre_de_pas, 1);
  EXPECT_EQ(p.etat.plan, table_des_niveaux(1));
  EXPECT_EQ(test::lire_haut(p.etat), "00000");
  EXPECT_EQ(p.etat.ligne_prise, 0);
  EXPECT_EQ(p.lignes(), (std::vector<std::string>{"redessiner_plateau", "memoriser_historique"}));
  EXPECT_EQ(p.corps.historique_memorise().plan, table_des_niveaux(1));
}

TEST(ChargerNiveau, NeToucheNiLaLigneTenueNiLeReste) {
  etat_du_jeu etat;
  etat.numero_niveau = 3;
  etat.nombre_de_pas = 0;
  etat.mode_affichage = 1;
  test::poser_haut(etat, "0A0B0");
  etat.ligne_prise = 1;
  charger_niveau(etat, 7);
  EXPECT_EQ(etat.plan, table_des_niveaux(7));
  EXPECT_EQ(test::lire_haut(etat), "0A0B0");
  EXPECT_EQ(etat.ligne_prise, 1);
  EXPECT_EQ(etat.numero_niveau, 3);
  EXPECT_EQ(etat.nombre_de_pas, 0);
  EXPECT_EQ(etat.mode_affichage, 1);
  vider_ligne_du_haut(etat);
  EXPECT_EQ(test::lire_haut(etat), "00000");
  EXPECT_EQ(etat.ligne_prise, 0);
}

}  // namespace
}  // namespace veltor
