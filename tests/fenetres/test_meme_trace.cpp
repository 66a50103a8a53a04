// La fenêtre et la console jouent les mêmes coups : même état, mêmes requêtes dans le même
// ordre, que les coups soient des appuis de souris sur la fenêtre ou des appels aux règles.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "fenetres/Demarage.h"
#include "fenetres/Suivant.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "outils_de_test.h"

using namespace std::chrono_literals;

namespace {

struct partie_jouee {
  std::vector<std::string> lignes;
  veltor::plan_de_niveau plan;
  int niveau;
  int ligne_prise;
};

std::vector<std::string> decouper(const std::string& coups) {
  std::vector<std::string> resultat;
  std::string mot;
  for (char c : coups + " ") {
    if (c == ' ') {
      if (!mot.empty()) resultat.push_back(mot);
      mot.clear();
    } else {
      mot += c;
    }
  }
  return resultat;
}

partie_jouee jouer_sans_fenetre(int niveau, const std::string& coups) {
  auto etat = std::make_unique<veltor::etat_du_jeu>();
  veltor::requetes_sans_fenetre corps(*etat);
  veltor::requetes_enregistrees trace(*etat, corps);
  veltor::commencer_niveau(*etat, trace, niveau);
  for (const auto& coup : decouper(coups)) {
    trace.noter("coup " + coup);
    const int b = coup.size() > 1 ? coup[1] - '0' : 0;
    switch (coup[0]) {
      case 'P': veltor::choisir_panier(*etat, trace, b); break;
      case 'V': veltor::retourner_vertical(*etat, trace, b); break;
      case 'H': veltor::retourner_horizontal(*etat, trace, b); break;
      case 'U': veltor::revenir_en_arriere(*etat, corps.historique_memorise(), trace); break;
      case 'R': veltor::recommencer_le_niveau(*etat, trace); break;
    }
  }
  return {trace.lignes(), etat->plan, etat->numero_niveau, etat->ligne_prise};
}

partie_jouee jouer_dans_la_fenetre(int niveau, const std::string& coups) {
  Tfenetre_principale fenetre(std::filesystem::temp_directory_path(), 0ns);
  Tfenetre_suivant suivant(&fenetre);
  fenetre.definir_fenetres(&suivant, nullptr, nullptr, nullptr);
  fenetre.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
  veltor::essais::requetes_muettes muettes;
  veltor::requetes_enregistrees trace(fenetre.etat(), muettes);
  fenetre.definir_observateur(&trace);
  veltor::commencer_niveau(fenetre.etat(), fenetre, niveau);
  veltor::essais::fermeur_de_modales fermeur;
  auto bouton = [&](const QString& nom) {
    return fenetre.findChild<QAbstractButton*>(nom);
  };
  for (const auto& coup : decouper(coups)) {
    trace.noter("coup " + coup);
    const int b = coup.size() > 1 ? coup[1] - '0' : 0;
    switch (coup[0]) {
      case 'P':
        veltor::essais::appuyer(fenetre.findChild<QWidget*>(QStringLiteral("panier%1").arg(b - 1)));
        break;
      case 'V': bouton(QStringLiteral("bouton_v%1").arg(b))->click(); break;
      case 'H': bouton(QStringLiteral("bouton_h%1").arg(b))->click(); break;
      case 'U': bouton(QStringLiteral("speed_bouton_revenir_en_arriere"))->click(); break;
      case 'R': bouton(QStringLiteral("speed_bouton_recommencer_le_niveau_en_cours"))->click(); break;
    }
  }
  fenetre.definir_observateur(nullptr);
  return {trace.lignes(), fenetre.etat().plan, fenetre.etat().numero_niveau,
          fenetre.etat().ligne_prise};
}

struct cas {
  const char* nom;
  int niveau;
  const char* coups;
};

void PrintTo(const cas& c, std::ostream* sortie) { *sortie << c.nom; }

class MemeTrace : public testing::TestWithParam<cas> {};

TEST_P(MemeTrace, LaFenetreFaitLesMemesRequetesQueLaConsole) {
  const auto console = jouer_sans_fenetre(GetParam().niveau, GetParam().coups);
  const auto fenetre = jouer_dans_la_fenetre(GetParam().niveau, GetParam().coups);
  EXPECT_EQ(fenetre.lignes, console.lignes);
  EXPECT_EQ(fenetre.plan, console.plan);
  EXPECT_EQ(fenetre.niveau, console.niveau);
  EXPECT_EQ(fenetre.ligne_prise, console.ligne_prise);
  EXPECT_GT(console.lignes.size(), 3U);
}

INSTANTIATE_TEST_SUITE_P(
    Parties, MemeTrace,
    testing::Values(
        // Le niveau 1 fini : deux effacements en cascade, la fenêtre suivante, le niveau 2.
        cas{"niveau1_fini_en_cascade", 1, "P1 P2 P1"},
        // Un retournement vertical qui efface, puis la pose qui termine le niveau.
        cas{"niveau4_retournement", 4, "P2 V2 P2"},
        // Un retournement horizontal, un retour en arrière, puis la fin du niveau.
        cas{"niveau10_horizontal", 10, "P1 P2 P3 H2 U H2 P2"},
        // Clics sans effet, recommencer, retour en arrière après une levée.
        cas{"niveau2_recommencer", 2, "V1 P3 P1 R P2 U P1 P1"}),
    [](const testing::TestParamInfo<cas>& info) { return std::string(info.param.nom); });

}  // namespace
