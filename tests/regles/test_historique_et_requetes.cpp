// Le retour en arrière, le recommencement, les boutons de réglage, et les corps des
// requêtes sans fenêtre avec leur trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jeu/niveaux.h"
#include "jeu/regles.h"
#include "outils_de_test.h"

namespace veltor {
namespace {

using lignes = std::vector<std::string>;
using test::lire_haut;
using test::lire_panier;
using test::partie;
using test::poser_haut;
using test::poser_panier;

// Une position de départ et un coup ; l'undo doit rendre exactement la position d'avant.
TEST(RetourEnArriere, RendLaPositionDAvantLeDernierCoup) {
  struct cas {
    const char* nom;
    void (*coup)(etat_du_jeu&, requetes&);
    bool ligne_tenue_avant;
  };
  const cas table[] = {
      {"après une levée", [](etat_du_jeu& e, requetes& r) { choisir_panier(e, r, 1); }, false},
      {"après une pose qui efface", [](etat_du_jeu& e, requetes& r) { choisir_panier(e, r, 2); },
       true},
      {"après un retournement qui efface",
       [](etat_du_jeu& e, requetes& r) { retourner_vertical(e, r, 1); }, false},
      {"après un miroir", [](etat_du_jeu& e, requetes& r) { retourner_horizontal(e, r, 1); }, true},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    partie p(12);
    p.etat.nombre_de_pas = 3;
    p.etat.mode_affichage = 1;
    poser_panier(p.etat, 1, "00000 00000 00000 20000 12300");
    poser_panier(p.etat, 2, "00000 00000 00000 00000 20000");
    if (c.ligne_tenue_avant) {
      poser_haut(p.etat, "02000");
      p.etat.ligne_prise = 1;
    }
    const etat_du_jeu avant = p.etat;
    c.coup(p.etat, p.trace);
    ASSERT_NE(p.etat.plan, avant.plan);
    for (int fois = 0; fois < 2; ++fois) {  // un second retour rend la même position
      revenir_en_arriere(p.etat, p.corps.historique_memorise(), p.trace);
      EXPECT_EQ(p.etat.plan, avant.plan);
      EXPECT_EQ(lire_haut(p.etat), lire_haut(avant));
      EXPECT_EQ(p.etat.ligne_prise, avant.ligne_prise);
    }
    EXPECT_EQ(p.etat.numero_niveau, 12);
    EXPECT_EQ(p.etat.nombre_de_pas, 3);
    EXPECT_EQ(p.etat.mode_affichage, 1);
    const lignes fin{"redessiner_plateau", "memoriser_historique"};
    EXPECT_EQ(lignes(p.lignes().end() - 2, p.lignes().end()), fin);
  }
}

TEST(RetourEnArriere, NeRevientNiDansLeNiveauFiniNiAvantUnRecommencement) {
  partie p;
  commencer_niveau(p.etat, p.trace, 1);
  choisir_panier(p.etat, p.trace, 1);
  choisir_panier(p.etat, p.trace, 2);
  ASSERT_EQ(p.etat.numero_niveau, 2);
  revenir_en_arriere(p.etat, p.corps.historique_memorise(), p.trace);
  EXPECT_EQ(p.etat.numero_niveau, 2);
  EXPECT_EQ(p.etat.plan, table_des_niveaux(2));

  choisir_panier(p.etat, p.trace, 2);  // une ligne est tenue
  ASSERT_EQ(p.etat.ligne_prise, 1);
  recommencer_le_niveau(p.etat, p.trace);
  EXPECT_EQ(p.etat.plan, table_des_niveaux(2));
  EXPECT_EQ(lire_haut(p.etat), "00000");
  EXPECT_EQ(p.etat.ligne_prise, 0);
  const lignes fin{"redessiner_plateau", "memoriser_historique"};
  EXPECT_EQ(lignes(p.lignes().end() - 2, p.lignes().end()), fin);
  revenir_en_arriere(p.etat, p.corps.historique_memorise(), p.trace);
  EXPECT_EQ(p.etat.plan, table_des_niveaux(2));
  EXPECT_EQ(p.etat.ligne_prise, 0);
}

TEST(RetourEnArriere, ApresUnePoseLaLigneRevientEtSePoseAilleurs) {
  partie p;
  poser_panier(p.etat, 1, "00000 00000 00000 00000 12000");
  poser_panier(p.etat, 2, "00000 00000 00000 00000 01200");
  choisir_panier(p.etat, p.trace, 1);
  choisir_panier(p.etat, p.trace, 1);  // reposée dans son panier
  revenir_en_arriere(p.etat, p.corps.historique_memorise(), p.trace);
  EXPECT_EQ(lire_haut(p.etat), "12000");
  EXPECT_EQ(p.etat.ligne_prise, 1);
  choisir_panier(p.etat, p.trace, 2);
  EXPECT_EQ(p.etat.numero_niveau, 2);
}

TEST(Historique, CopieLePlanLaLigneEtLeDrapeauSeulement) {
  etat_du_jeu etat;
  charger_niveau(etat, 33);
  poser_haut(etat, "1000F");
  etat.ligne_prise = 1;
  historique h;
  memoriser_historique(etat, h);
  etat_du_jeu autre;
  autre.numero_niveau = 9;
  autre.nombre_de_pas = 6;
  restaurer_historique(h, autre);
  EXPECT_EQ(autre.plan, table_des_niveaux(33));
  EXPECT_EQ(lire_haut(autre), "1000F");
  EXPECT_EQ(autre.ligne_prise, 1);
  EXPECT_EQ(autre.numero_niveau, 9);
  EXPECT_EQ(autre.nombre_de_pas, 6);
}

TEST(Reglages, VitesseEtModeDAffichage) {
  const int suite_des_pas[] = {0, 7, 6, 5, 4, 3, 2, 1, 0};
  etat_du_jeu etat;
  for (int pas : suite_des_pas) {
    changer_vitesse(etat);
    EXPECT_EQ(etat.nombre_de_pas, pas);
    EXPECT_EQ(chiffre_de_vitesse(etat), 7 - pas);
  }
  etat.nombre_de_pas = 200;  // venu d'ailleurs : le bouton le ramène dans 0..7
  changer_vitesse(etat);
  EXPECT_EQ(etat.nombre_de_pas, 207 % 8);

  partie p;
  changer_mode_affichage(p.etat, p.trace, true);
  EXPECT_EQ(p.etat.mode_affichage, 1);
  changer_mode_affichage(p.etat, p.trace, false);
  EXPECT_EQ(p.etat.mode_affichage, 2);
  EXPECT_EQ(p.lignes(), (lignes{"redessiner_plateau", "redessiner_plateau"}));
}

// Une liste comme la remplit un balayage : deux cases, chacune deux fois, et une de plus.
void remplir_liste(etat_du_jeu& etat) {
  poser_panier(etat, 3, "00000 00000 00000 00000 44400");
  etat.nombre_a_effacer = 0;
  ajouter_case_a_effacer(etat, 3, 5, 2);
  ajouter_case_a_effacer(etat, 3, 5, 1);
  ajouter_case_a_effacer(etat, 3, 5, 1);
  ajouter_case_a_effacer(etat, 3, 5, 3);
  ajouter_case_a_effacer(etat, 3, 5, 2);
}

TEST(RequetesSansFenetre, EffacerRaieLesRepetitionsPuisVideLesCases) {
  etat_du_jeu etat;
  remplir_liste(etat);
  requetes_sans_fenetre corps(etat);
  corps.effacer_cases();
  EXPECT_EQ(lire_panier(etat, 3), "00000 00000 00000 00000 00000");
  EXPECT_EQ(etat.nombre_a_effacer, 5);
  const octet paniers_attendus[] = {3, 3, 0, 3, 0};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(etat.cases_a_effacer[i].panier, paniers_attendus[i - 1]);
  EXPECT_EQ(etat.cases_a_effacer[3].colonne, 1);  // rayée, le reste de l'entrée demeure
}

TEST(RequetesEnregistrees, LaLigneEffacerEstLaMemeAvantOuApresLesRayures) {
  etat_du_jeu etat;
  remplir_liste(etat);
  requetes_sans_fenetre corps(etat);
  requetes_enregistrees avant(etat, corps);
  avant.effacer_cases();  // passe à `corps`, qui raie et vide
  EXPECT_EQ(lire_panier(etat, 3), "00000 00000 00000 00000 00000");

  // Une liste déjà rayée par le corps donne la même ligne.
  requetes_sans_fenetre rien(etat);
  requetes_enregistrees apres(etat, rien);
  apres.effacer_cases();
  EXPECT_EQ(avant.lignes(), (lignes{"effacer a352 a351 a353"}));
  EXPECT_EQ(apres.lignes(), avant.lignes());
}

TEST(RequetesEnregistrees, ChaqueRequetePasseALaSuite) {
  // Une suite qui compte ce qu'elle reçoit.
  struct compteur : requetes {
    lignes recu;
    void memoriser_historique() override { recu.push_back("m"); }
    void vider_liste_des_deplacements() override { recu.push_back("v"); }
    void ajouter_deplacement(lieu, lieu) override { recu.push_back("a"); }
    void animer_deplacements() override { recu.push_back("an"); }
    void repeindre_en_attente() override { recu.push_back("r"); }
    void effacer_cases() override { recu.push_back("e"); }
    void redessiner_plateau() override { recu.push_back("d"); }
    void jouer_son_niveau() override { recu.push_back("s"); }
    void montrer_fenetre_suivant(const std::string& l) override { recu.push_back("f " + l); }
    void montrer_fenetre_fin() override { recu.push_back("ff"); }
    void terminer_programme() override { recu.push_back("t"); }
  } suite;
  etat_du_jeu etat;
  requetes_enregistrees r(etat, suite);
  r.memoriser_historique();
  r.vider_liste_des_deplacements();
  r.ajouter_deplacement(lieu::case_du_panier(1, 2, 3), lieu::case_du_haut(4));
  r.animer_deplacements();
  r.repeindre_en_attente();
  r.effacer_cases();
  r.redessiner_plateau();
  r.jouer_son_niveau();
  r.montrer_fenetre_suivant("Niveau : 4");
  r.montrer_fenetre_fin();
  r.terminer_programme();
  EXPECT_EQ(suite.recu,
            (lignes{"m", "v", "a", "an", "r", "e", "d", "s", "f Niveau : 4", "ff", "t"}));
  // Le dessin en attente et le son n'écrivent rien ; une liste vide s'écrit « effacer ».
  EXPECT_EQ(r.lignes(),
            (lignes{"memoriser_historique", "animer a123:h4", "effacer", "redessiner_plateau",
                    "fenetre_suivant Niveau : 4", "fenetre_fin", "fin_du_programme"}));
}

TEST(RequetesSansFenetre, LaFinDuProgrammeMarqueLaPartieFinie) {
  etat_du_jeu etat;
  requetes_sans_fenetre corps(etat);
  EXPECT_FALSE(corps.fin_du_jeu());
  corps.terminer_programme();
  EXPECT_TRUE(corps.fin_du_jeu());
}

}  // namespace
}  // namespace veltor
