// Les coups du joueur et ce qu'ils déclenchent : lever, poser, retourner, chute,
// effacement en cascade, fin de niveau.
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

constexpr const char* vide = "00000 00000 00000 00000 00000";

TEST(LeverPoser, NiveauUnSeTermineEnDeuxClicsDansLOrdreDuJeu) {
  partie p;
  commencer_niveau(p.etat, p.trace, 1);
  choisir_panier(p.etat, p.trace, 1);
  EXPECT_EQ(lire_haut(p.etat), "12000");
  EXPECT_EQ(p.etat.ligne_prise, 1);
  EXPECT_EQ(lire_panier(p.etat, 1), vide);
  choisir_panier(p.etat, p.trace, 2);

  EXPECT_EQ(p.lignes(), (lignes{
                            "redessiner_plateau",
                            "memoriser_historique",
                            "memoriser_historique",
                            "animer a151:h1 a152:h2 a153:h3 a154:h4 a155:h5",
                            "memoriser_historique",
                            "animer h1:a211 h2:a212",
                            "animer a211:a221 a212:a222",
                            "animer a221:a231 a222:a232",
                            "animer a231:a241 a232:a242",
                            "animer a241:a251",
                            "animer",
                            "effacer a252 a251",
                            "animer a242:a252",
                            "animer",
                            "effacer a253 a252",
                            "animer",
                            "fenetre_suivant Niveau : 1",
                            "redessiner_plateau",
                            "memoriser_historique",
                        }));
  // Le premier balayage, tel que les règles l'ont rempli : panier, colonne, rangée.
  ASSERT_EQ(p.corps.listes_a_effacer.size(), 2u);
  EXPECT_EQ(p.corps.listes_a_effacer[0],
            (std::vector<case_a_effacer>{{2, 2, 5}, {2, 1, 5}, {2, 1, 5}, {2, 2, 5}}));
  EXPECT_EQ(p.etat.numero_niveau, 2);
  EXPECT_EQ(p.etat.plan, table_des_niveaux(2));
  EXPECT_EQ(p.etat.ligne_prise, 0);
  EXPECT_EQ(p.corps.historique_memorise().plan, table_des_niveaux(2));
  // Le son du niveau part juste avant la fenêtre du niveau suivant.
  const auto& j = p.corps.journal;
  ASSERT_GE(j.size(), 2u);
  EXPECT_EQ(j[j.size() - 2], "son_niveau");
  EXPECT_EQ(j.back(), "fenetre_suivant Niveau : 1");
}

struct sequence_gagnante {
  int niveau;
  std::vector<void (*)(etat_du_jeu&, requetes&)> coups;
};

template <int b>
void clic(etat_du_jeu& e, requetes& r) {
  choisir_panier(e, r, b);
}
template <int b>
void vertical(etat_du_jeu& e, requetes& r) {
  retourner_vertical(e, r, b);
}
template <int b>
void horizontal(etat_du_jeu& e, requetes& r) {
  retourner_horizontal(e, r, b);
}

TEST(LeverPoser, LesSequencesDesNiveauxQuatreEtDixLesTerminent) {
  const sequence_gagnante cas[] = {
      {4, {clic<2>, vertical<2>, clic<2>}},
      {10, {clic<1>, clic<2>, clic<3>, horizontal<2>, clic<2>}},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE("niveau " + std::to_string(c.niveau));
    partie p;
    commencer_niveau(p.etat, p.trace, c.niveau);
    for (std::size_t i = 0; i < c.coups.size(); ++i) {
      EXPECT_EQ(p.etat.numero_niveau, c.niveau) << "fini trop tôt, au coup " << i;
      c.coups[i](p.etat, p.trace);
    }
    EXPECT_EQ(p.etat.numero_niveau, c.niveau + 1);
    EXPECT_EQ(p.etat.plan, table_des_niveaux(c.niveau + 1));
    EXPECT_EQ(p.nombre_de("fenetre_suivant"), 1u);
  }
}

TEST(LeverPoser, NiveauQuatreLeRetournementSeulEffaceLesUnPuisLesC) {
  partie p;
  commencer_niveau(p.etat, p.trace, 4);
  choisir_panier(p.etat, p.trace, 2);
  retourner_vertical(p.etat, p.trace, 2);
  EXPECT_EQ(lire_panier(p.etat, 2), "00000 00000 00000 00000 00100");
  EXPECT_EQ(p.nombre_de("effacer"), 2u);
  lignes effacements;
  for (const auto& l : p.lignes())
    if (l.starts_with("effacer")) effacements.push_back(l);
  // Les 1 de (5, 1) et (5, 2), puis les C de (5, 2) et (5, 3).
  EXPECT_EQ(effacements, (lignes{"effacer a252 a251", "effacer a253 a252"}));
  EXPECT_EQ(p.etat.numero_niveau, 4);
}

TEST(LeverPoser, UnClicSansRienALeverNiAPoserNeFaitRien) {
  partie p;
  poser_panier(p.etat, 1, "00000 00000 00000 00000 12000");
  p.corps.memoriser_historique();
  const etat_du_jeu avant = p.etat;
  choisir_panier(p.etat, p.trace, 3);
  EXPECT_TRUE(p.lignes().empty());
  EXPECT_EQ(p.etat.plan, avant.plan);
  EXPECT_EQ(p.etat.ligne_prise, 0);
  EXPECT_EQ(p.corps.historique_memorise().plan, avant.plan);
}

TEST(LeverPoser, LaRangeeLeveeEstPriseEntiereEtSeulLeHautDuPanierBouge) {
  partie p;
  poser_panier(p.etat, 3, "00000 0A0B0 0C0D1 12345 23451");
  choisir_panier(p.etat, p.trace, 3);
  EXPECT_EQ(lire_haut(p.etat), "0A0B0");
  EXPECT_EQ(lire_panier(p.etat, 3), "00000 00000 0C0D1 12345 23451");
  EXPECT_EQ(p.lignes().back(), "animer a321:h1 a322:h2 a323:h3 a324:h4 a325:h5");
}

TEST(LeverPoser, ReposeeDansSonPanierLaLigneRetombeOuElleEtait) {
  partie p;
  poser_panier(p.etat, 1, "00000 00000 00300 02420 15351");
  const std::string avant = lire_panier(p.etat, 1);
  choisir_panier(p.etat, p.trace, 1);
  choisir_panier(p.etat, p.trace, 1);
  EXPECT_EQ(lire_panier(p.etat, 1), avant);
  EXPECT_EQ(lire_haut(p.etat), "00000");
  EXPECT_EQ(p.etat.ligne_prise, 0);
  EXPECT_EQ(p.nombre_de("effacer"), 0u);
}

TEST(LeverPoser, LaPoseGardeLesColonnesMemeDansUnPanierVide) {
  partie p;
  poser_panier(p.etat, 1, "00000 00000 00000 00000 12345");
  poser_haut(p.etat, "00007");
  p.etat.ligne_prise = 1;
  choisir_panier(p.etat, p.trace, 3);
  EXPECT_EQ(lire_panier(p.etat, 3), "00000 00000 00000 00000 00007");
  EXPECT_EQ(p.lignes()[1], "animer h5:a315");
}

// Décision : une pièce tenue au-dessus d'une colonne pleine ne se pose pas.
TEST(LeverPoser, LaPoseSurUneColonnePleineEstRefuseeSansRienToucher) {
  struct cas {
    const char* panier;
    const char* haut;
    bool refusee;
  };
  const cas table[] = {
      {"10000 20000 30000 40000 50000", "60000", true},
      {"10000 20000 30000 40000 50000", "06000", false},  // un trou au-dessus de la colonne
      {"00001 00002 00003 00004 00005", "00706", true},
      {"00000 20000 30000 40000 50000", "60000", false},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(std::string(c.panier) + " sous " + c.haut);
    partie p;
    poser_panier(p.etat, 2, c.panier);
    poser_panier(p.etat, 1, "00000 00000 00000 00000 67000");  // le niveau n'est pas fini
    poser_haut(p.etat, c.haut);
    p.etat.ligne_prise = 1;
    const etat_du_jeu avant = p.etat;
    EXPECT_EQ(pose_refusee(p.etat, 2), c.refusee);
    choisir_panier(p.etat, p.trace, 2);
    if (c.refusee) {
      EXPECT_TRUE(p.lignes().empty());
      EXPECT_EQ(p.etat.plan, avant.plan);
      EXPECT_EQ(lire_haut(p.etat), c.haut);
      EXPECT_EQ(p.etat.ligne_prise, 1);
    } else {
      EXPECT_EQ(lire_haut(p.etat), "00000");
      EXPECT_EQ(p.etat.ligne_prise, 0);
    }
  }
}

TEST(Retournements, CasDeLaTable) {
  struct cas {
    const char* nom;
    bool vertical;
    const char* avant;
    const char* apres;
    const char* premier_lot;  // la ligne d'animation de l'échange
    std::size_t effacements;
  };
  const cas table[] = {
      {"une pièce seule en bas revient où elle était", true, "00000 00000 00000 00000 00300",
       "00000 00000 00000 00000 00300", "animer a213:a253", 0},
      {"une pile qui se lit pareil des deux bouts", true, "00000 00000 70000 80000 70000",
       "00000 00000 70000 80000 70000", "animer a211:a251 a221:a241 a231:a231", 0},
      {"au plus une pièce par colonne", true, "00000 00000 00000 00000 12345",
       "00000 00000 00000 00000 12345", "animer a211:a251 a212:a252 a213:a253 a214:a254 a215:a255",
       0},
      {"8 sur 9 à côté d'un 8 : les 8 s'effacent, le 9 tombe", true,
       "00000 00000 00000 80000 98000", "00000 00000 00000 00000 90000",
       "animer a211:a251 a212:a252 a221:a241", 1},
      {"miroir d'un panier n'ayant que la colonne du milieu", false,
       "00000 00000 00000 00100 00200", "00000 00000 00000 00100 00200",
       "animer a243:a243 a253:a253", 0},
      {"miroir d'un coin à l'autre en un seul échange", false, "00000 00000 00000 00000 10002",
       "00000 00000 00000 00000 20001", "animer a251:a255", 0},
      {"miroir d'un panier vide", false, vide, vide, "animer", 0},
      {"retournement d'un panier vide", true, vide, vide, "animer", 0},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    partie p;
    poser_panier(p.etat, 2, c.avant);
    poser_panier(p.etat, 1, "00000 00000 00000 00000 0C0D0");  // le niveau n'est pas fini
    poser_haut(p.etat, "E0F00");
    p.etat.ligne_prise = 1;
    if (c.vertical)
      retourner_vertical(p.etat, p.trace, 2);
    else
      retourner_horizontal(p.etat, p.trace, 2);
    EXPECT_EQ(lire_panier(p.etat, 2), c.apres);
    ASSERT_GE(p.lignes().size(), 2u);
    EXPECT_EQ(p.lignes()[0], "memoriser_historique");
    EXPECT_EQ(p.lignes()[1], c.premier_lot);
    EXPECT_EQ(p.nombre_de("effacer"), c.effacements);
    if (!c.vertical) {
      EXPECT_EQ(p.lignes().size(), 2u);  // ni chute ni effacement
    }
    EXPECT_EQ(lire_panier(p.etat, 1), "00000 00000 00000 00000 0C0D0");
    // Le retournement laisse la ligne tenue telle quelle, et l'historique a l'avant.
    EXPECT_EQ(lire_haut(p.etat), "E0F00");
    EXPECT_EQ(p.etat.ligne_prise, 1);
    etat_du_jeu depuis_historique = p.etat;
    restaurer_historique(p.corps.historique_memorise(), depuis_historique);
    EXPECT_EQ(lire_panier(depuis_historique, 2), c.avant);
  }
}

TEST(Retournements, UnPlateauVideParLeRetournementAvecUneLigneTenueNEstPasFini) {
  partie p;
  // La paire qui s'efface après le retournement vide les trois paniers.
  poser_panier(p.etat, 2, "00000 00000 00000 80000 80000");
  poser_haut(p.etat, "09900");
  p.etat.ligne_prise = 1;
  retourner_vertical(p.etat, p.trace, 2);
  EXPECT_EQ(lire_panier(p.etat, 2), vide);
  EXPECT_EQ(p.nombre_de("effacer"), 1u);
  EXPECT_EQ(p.nombre_de("fenetre_suivant"), 0u);
  EXPECT_EQ(p.etat.numero_niveau, 1);
  choisir_panier(p.etat, p.trace, 2);
  EXPECT_EQ(p.nombre_de("fenetre_suivant Niveau : 1"), 1u);
  EXPECT_EQ(p.etat.numero_niveau, 2);
}

TEST(Chute, NombreDePassesEtResultat) {
  struct cas {
    const char* nom;
    const char* avant;
    const char* apres;
    std::size_t passes;
    bool a_bouge;
  };
  const cas table[] = {
      {"panier tassé", "00000 00000 00000 20000 13000", "00000 00000 00000 20000 13000", 1, false},
      {"panier vide", vide, vide, 1, false},
      {"une pièce en haut d'une colonne vide", "00400 00000 00000 00000 00000",
       "00000 00000 00000 00000 00400", 5, true},
      {"deux colonnes tombent ensemble", "10020 00000 00000 00000 00000",
       "00000 00000 00000 00000 10020", 5, true},
      {"pièce, vide, pièce, vide, vide", "50000 00000 60000 00000 00000",
       "00000 00000 00000 50000 60000", 6, true},
      {"deux pièces au-dessus de trois vides", "70000 80000 00000 00000 00000",
       "00000 00000 00000 70000 80000", 7, true},
      {"une colonne pleine ne bouge pas", "10000 20000 30000 40000 50000",
       "10000 20000 30000 40000 50000", 1, false},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    partie p;
    poser_panier(p.etat, 3, c.avant);
    EXPECT_EQ(faire_tomber_pieces(p.etat, p.trace, 3), c.a_bouge);
    EXPECT_EQ(lire_panier(p.etat, 3), c.apres);
    EXPECT_EQ(p.nombre_de("animer"), c.passes);
    EXPECT_EQ(p.lignes().back(), "animer");
    std::size_t repeints = 0;
    for (const auto& l : p.corps.journal) repeints += (l == "repeindre");
    EXPECT_EQ(repeints, c.passes);  // un dessin en attente au début de chaque passe
  }
  // Les colonnes tombent du même pas, une rangée par passe.
  partie p;
  poser_panier(p.etat, 1, "10020 00000 00000 00000 00000");
  faire_tomber_pieces(p.etat, p.trace, 1);
  EXPECT_EQ(p.lignes()[0], "animer a111:a121 a114:a124");
  // La plus basse d'une colonne tombe d'abord.
  partie q;
  poser_panier(q.etat, 1, "50000 00000 60000 00000 00000");
  faire_tomber_pieces(q.etat, q.trace, 1);
  EXPECT_EQ(q.lignes()[0], "animer a131:a141");
  EXPECT_EQ(q.lignes()[2], "animer a111:a121");
}

TEST(Resolution, CeQuiSEfface) {
  struct cas {
    const char* nom;
    const char* avant;
    const char* apres;
    std::size_t effacements;
  };
  const cas table[] = {
      {"trois en ligne", "00000 00000 00000 00000 22200", vide, 1},
      {"un L de trois", "00000 00000 00000 30000 33000", vide, 1},
      {"un carré de quatre", "00000 00000 00000 44000 44000", vide, 1},
      {"égales par un coin seulement", "00000 00000 00000 56000 65000",
       "00000 00000 00000 56000 65000", 0},
      {"deux paires de sortes différentes, un seul effacement", "00000 00000 00000 00000 77088",
       vide, 1},
      {"une cascade : la chute forme une nouvelle paire", "00000 00000 00000 09000 11900", vide, 2},
      {"la paire s'efface, le reste tombe et reste", "00000 00000 A0000 BB000 CD000",
       "00000 00000 00000 A0000 CD000", 1},
  };
  for (const auto& c : table) {
    SCOPED_TRACE(c.nom);
    partie p;
    poser_panier(p.etat, 2, c.avant);
    poser_panier(p.etat, 3, "00000 00000 00000 00000 22200");  // jamais touché par le panier 2
    poser_panier(p.etat, 1, "00000 00000 00000 00000 0E0E0");
    resoudre_panier(p.etat, p.trace, 2);
    EXPECT_EQ(lire_panier(p.etat, 2), c.apres);
    EXPECT_EQ(p.nombre_de("effacer"), c.effacements);
    EXPECT_EQ(lire_panier(p.etat, 3), "00000 00000 00000 00000 22200");
    EXPECT_EQ(p.nombre_de("fenetre_suivant"), 0u);
  }
}

TEST(Resolution, UneEntreeParVoisinEgalPlusUnePourLaCaseElleMeme) {
  partie p;
  poser_panier(p.etat, 1, "00000 00000 00000 00000 22200");
  poser_panier(p.etat, 2, "00000 00000 00000 00000 10000");
  resoudre_panier(p.etat, p.trace, 1);
  ASSERT_EQ(p.corps.listes_a_effacer.size(), 1u);
  EXPECT_EQ(p.corps.listes_a_effacer[0],
            (std::vector<case_a_effacer>{
                {1, 2, 5}, {1, 1, 5}, {1, 1, 5}, {1, 3, 5}, {1, 2, 5}, {1, 2, 5}, {1, 3, 5}}));
  EXPECT_EQ(p.lignes()[0], "effacer a152 a151 a153");
  // Les entrées répétées sont rayées, le compte reste.
  EXPECT_EQ(p.etat.nombre_a_effacer, 7);
  EXPECT_EQ(p.etat.cases_a_effacer[3].panier, 0);
  EXPECT_EQ(p.etat.cases_a_effacer[1].panier, 1);
}

TEST(FinDeNiveau, LeNiveauQuatreVingtMontreLaFinEtNeChangeRien) {
  partie p(80);
  poser_panier(p.etat, 1, "00000 00000 00000 00000 10000");
  poser_haut(p.etat, "01000");
  p.etat.ligne_prise = 1;
  choisir_panier(p.etat, p.trace, 1);
  EXPECT_EQ(p.etat.numero_niveau, 80);
  EXPECT_EQ(lire_panier(p.etat, 1), vide);
  EXPECT_TRUE(p.corps.fin_du_jeu());
  const lignes attendu{"fenetre_fin", "fin_du_programme"};
  EXPECT_EQ(lignes(p.lignes().end() - 2, p.lignes().end()), attendu);
  EXPECT_EQ(p.nombre_de("fenetre_suivant") + p.nombre_de("redessiner"), 0u);
  for (const auto& l : p.corps.journal) EXPECT_NE(l, "son_niveau");
}

TEST(FinDeNiveau, LeNiveauSuivantCommenceAvecSonHistorique) {
  partie p(7);
  poser_panier(p.etat, 3, "00000 00000 00000 00000 0F000");
  poser_haut(p.etat, "00F00");
  p.etat.ligne_prise = 1;
  p.etat.nombre_de_pas = 4;
  choisir_panier(p.etat, p.trace, 3);
  EXPECT_EQ(p.etat.numero_niveau, 8);
  EXPECT_EQ(p.etat.plan, table_des_niveaux(8));
  EXPECT_EQ(p.etat.nombre_de_pas, 4);
  EXPECT_EQ(p.etat.ligne_prise, 0);
  const lignes attendu{"fenetre_suivant Niveau : 7", "redessiner_plateau", "memoriser_historique"};
  EXPECT_EQ(lignes(p.lignes().end() - 3, p.lignes().end()), attendu);
  EXPECT_EQ(p.corps.historique_memorise().plan, table_des_niveaux(8));
  EXPECT_EQ(p.corps.historique_memorise().ligne_prise, 0);
}

}  // namespace
}  // namespace veltor
