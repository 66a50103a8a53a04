// Le solveur : chaque niveau a une solution que le vrai jeu accepte coup par coup, c'est
// la première des plus courtes, et les plans sans issue sont déclarés impossibles.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "jeu/niveaux.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "outils/solveur/recherche.h"
#include "outils/solveur/simulation.h"
#include "outils/solveur/solveur.h"

namespace veltor::solveur {
namespace {

using suite = std::vector<std::string>;

// Le coup offert au joueur, lu directement dans l'en-tête du plan.
bool bouton_montre_et_permis(const plan_de_niveau& plan, const std::string& coup) {
  const int b = coup[1] - '1';
  if (plan.portes_visibles[b] != 1) return false;
  if (coup[0] == 'P') return true;
  return plan.retournements_permis[2 * b + (coup[0] == 'V' ? 0 : 1)] == 1;
}

TEST(Solveur, ChaqueSolutionTermineLeNiveauDansLeVraiJeu) {
  std::size_t total = 0;
  for (int n = 1; n <= nombre_de_niveaux; ++n) {
    SCOPED_TRACE(testing::Message() << "niveau " << n);
    const solution s = resoudre(n);
    ASSERT_EQ(s.niveau, n);
    ASSERT_TRUE(s.possible);
    ASSERT_FALSE(s.coups.empty());
    total += s.coups.size();

    etat_du_jeu etat;
    requetes_sans_fenetre r(etat);
    commencer_niveau(etat, r, n);
    for (std::size_t i = 0; i < s.coups.size(); ++i) {
      const std::string& c = s.coups[i];
      SCOPED_TRACE(testing::Message() << "coup " << i + 1 << " " << c);
      ASSERT_EQ(etat.numero_niveau, n) << "le niveau est fini avant le dernier coup";
      ASSERT_TRUE(bouton_montre_et_permis(etat.plan, c));
      const etat_du_jeu avant = etat;
      const int b = c[1] - '0';
      if (c[0] == 'P') choisir_panier(etat, r, b);
      if (c[0] == 'V') retourner_vertical(etat, r, b);
      if (c[0] == 'H') retourner_horizontal(etat, r, b);
      const bool change = !(etat.plan == avant.plan) || etat.ligne_prise != avant.ligne_prise ||
                          ligne_de(etat.ligne_du_haut) != ligne_de(avant.ligne_du_haut) ||
                          etat.numero_niveau != avant.numero_niveau || r.fin_du_jeu();
      ASSERT_TRUE(change) << "un coup de la solution ne change rien";
    }
    if (n < nombre_de_niveaux) {
      EXPECT_EQ(etat.numero_niveau, n + 1);
    } else {
      EXPECT_TRUE(r.fin_du_jeu());
    }
  }
  // La somme des plus courtes solutions des 80 niveaux, connue d'avance.
  EXPECT_EQ(total, 693u);
}

// Une recherche indépendante : en profondeur, par profondeurs croissantes, les coups dans
// l'ordre P1 P2 P3 V1 V2 V3 H1 H2 H3. La première suite trouvée est, par construction, la
// première des plus courtes.
bool chercher(const plan_de_niveau& plan, const position& p, int reste, suite& chemin) {
  if (terminee(p)) return true;
  if (reste == 0) return false;
  for (int k = 0; k < nombre_de_coups; ++k) {
    const coup c = static_cast<coup>(k);
    if (!coup_offert(plan, c)) continue;
    position suivante = p;
    if (!jouer(suivante, c)) continue;
    chemin.push_back(nom_du_coup(c));
    if (chercher(plan, suivante, reste - 1, chemin)) return true;
    chemin.pop_back();
  }
  return false;
}

TEST(Solveur, DonneLaPremiereDesSuitesLesPlusCourtes) {
  constexpr std::size_t longueur_maximale =
      6;  // au-delà, la recherche en profondeur est trop lente
  int niveaux_compares = 0;
  for (int n = 1; n <= nombre_de_niveaux; ++n) {
    const solution s = resoudre(n);
    if (s.coups.size() > longueur_maximale) continue;
    SCOPED_TRACE(testing::Message() << "niveau " << n);
    const plan_de_niveau& plan = table_des_niveaux(n);
    suite attendue;
    for (int profondeur = 0; !chercher(plan, position_du_plan(plan), profondeur, attendue);
         ++profondeur) {
    }
    EXPECT_EQ(s.coups, attendue);
    ++niveaux_compares;
  }
  EXPECT_GT(niveaux_compares, 20);
}

// Une recherche en largeur sans rien de ce qui rend le solveur rapide : positions entières
// dans un ensemble, tous les coups essayés dans l'ordre, aucun résultat retenu. Elle doit
// donner la même suite et voir le même nombre de positions.
solution en_largeur_sans_astuce(const plan_de_niveau& plan) {
  auto cle = [](const position& p) {
    std::string k;
    for (const grille& g : p.paniers) k.append(g.begin(), g.end());
    return k + std::to_string(p.haut);
  };
  struct noeud {
    position p;
    std::size_t parent;
    coup c;
  };
  solution s;
  std::vector<noeud> file{{position_du_plan(plan), 0, coup::P1}};
  std::unordered_set<std::string> vues{cle(file[0].p)};
  for (std::size_t i = 0; i < file.size(); ++i) {
    for (int k = 0; k < nombre_de_coups; ++k) {
      const coup c = static_cast<coup>(k);
      position p = file[i].p;
      if (!coup_offert(plan, c) || !jouer(p, c)) continue;
      if (terminee(p)) {
        s.possible = true;
        s.etats_visites = vues.size() + 1;
        s.coups.push_back(nom_du_coup(c));
        for (std::size_t j = i; j != 0; j = file[j].parent)
          s.coups.push_back(nom_du_coup(file[j].c));
        std::reverse(s.coups.begin(), s.coups.end());
        return s;
      }
      if (vues.insert(cle(p)).second) file.push_back({p, i, c});
    }
  }
  s.etats_visites = vues.size();
  return s;
}

TEST(Solveur, VoitLesMemesPositionsQuUneRechercheSansAstuce) {
  constexpr std::size_t positions_au_plus =
      50000;  // au-delà, la recherche sans astuce est trop lente
  int niveaux_compares = 0;
  for (int n = 1; n <= nombre_de_niveaux; ++n) {
    const solution s = resoudre(n);
    if (s.etats_visites > positions_au_plus) continue;
    SCOPED_TRACE(testing::Message() << "niveau " << n);
    const solution attendue = en_largeur_sans_astuce(table_des_niveaux(n));
    EXPECT_EQ(s.coups, attendue.coups);
    EXPECT_EQ(s.etats_visites, attendue.etats_visites);
    ++niveaux_compares;
  }
  EXPECT_GT(niveaux_compares, 70);
}

TEST(Solveur, ResoutLesPremiersNiveauxCommeLeJoueur) {
  EXPECT_EQ(resoudre(1).coups, (suite{"P1", "P2"}));
  EXPECT_LE(resoudre(4).coups.size(), 3u);   // lever, retourner, reposer
  EXPECT_LE(resoudre(10).coups.size(), 5u);  // lever, poser, lever, retourner, poser
}

// Un petit plan : les rangées du bas des paniers 1 et 2, les portes et les retournements.
plan_de_niveau plan_de(const char* bas1, const char* bas2, std::array<octet, 6> retournements,
                       std::array<octet, 3> portes = {1, 1, 0}) {
  plan_de_niveau plan{};
  for (int i = 0; i < 6; ++i) plan.retournements_permis[i] = retournements[i];
  for (int i = 0; i < 3; ++i) plan.portes_visibles[i] = portes[i];
  for (int c = 0; c < cote_du_panier; ++c) {
    plan.paniers[0][4][c] = static_cast<piece>(bas1[c] - '0');
    plan.paniers[1][4][c] = static_cast<piece>(bas2[c] - '0');
  }
  return plan;
}

TEST(Solveur, PlansFaitsALaMain) {
  struct cas {
    const char* nom;
    plan_de_niveau plan;
    bool possible;
    suite coups;
    std::size_t etats_visites;  // 0 : sans importance
  };
  const cas table[] = {
      {"déjà vide", plan_de("00000", "00000", {}), true, {}, 1},
      {"une paire à réunir", plan_de("10000", "10000", {}), true, {"P1", "P2"}, 0},
      {"rien ne s'efface jamais", plan_de("12000", "00000", {}), false, {}, 3},
      // Une pièce ne change de colonne que par un miroir : sans lui, les 1 des colonnes 1
      // et 5 ne se rencontrent jamais.
      {"miroir nécessaire et permis",
       plan_de("12000", "00021", {0, 0, 0, 1, 0, 0}),
       true,
       {"P1", "H2", "P2"},
       0},
      {"miroir nécessaire et refusé", plan_de("12000", "00021", {0, 0, 0, 0, 0, 0}), false, {}, 0},
      {"miroir permis mais porte cachée",
       plan_de("12000", "00000", {0, 1, 0, 0, 0, 0}, {0, 0, 0}),
       false,
       {},
       1},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    const solution s = resoudre_plan(c.plan, 7);
    EXPECT_EQ(s.niveau, 7);
    EXPECT_EQ(s.possible, c.possible);
    EXPECT_EQ(s.coups, c.coups);
    if (c.etats_visites != 0) {
      EXPECT_EQ(s.etats_visites, c.etats_visites);
    }
  }
}

}  // namespace
}  // namespace veltor::solveur
