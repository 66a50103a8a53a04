// La console : son texte exact, ses refus et leurs codes, et les dialogues des parties
// joués comme dans la fenêtre.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "jeu/regles.h"
#include "jeu/sauvegarde.h"
#include "outils/console/console.h"

namespace veltor {
namespace {

namespace fs = std::filesystem;
using lignes = std::vector<std::string>;

struct resultat {
  int code;
  std::string sortie;
  std::string erreurs;
};

resultat lancer(const lignes& arguments) {
  std::ostringstream sortie, erreurs;
  const int code = console::executer(arguments, sortie, erreurs);
  return {code, sortie.str(), erreurs.str()};
}

lignes decouper(const std::string& texte) {
  lignes l;
  std::istringstream flux(texte);
  for (std::string ligne; std::getline(flux, ligne);) l.push_back(ligne);
  return l;
}

// Un dossier de départ vide à soi, effacé à la fin du test.
class ConsoleDossier : public ::testing::Test {
 protected:
  void SetUp() override {
    char modele[] = "/tmp/veltor-console-XXXXXX";
    ASSERT_NE(::mkdtemp(modele), nullptr);
    dossier_ = modele;
  }
  void TearDown() override {
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(dossier_, ec);
  }
  std::string dossier() const { return dossier_.string(); }
  void ecrire_octets(std::size_t n) {
    std::ofstream f(dossier_ / "VELTOR.CFG", std::ios::binary);
    f << std::string(n, '\0');
  }
  fs::path dossier_;
};

const lignes debut_du_niveau_deux{
    "niveau 2",
    "retournements 100010",
    "portes 111",
    "panier1 00000 40004 50005 40004 51235",
    "panier2 00000 00000 00000 00100 01230",
    "panier3 00000 00000 00000 00000 00000",
    "haut 00000",
    "ligne_prise 0",
    "pas 1",
    "mode 2",
};

TEST(Console, LeNiveauUnFiniDonneLeDebutDuNiveauDeux) {
  const resultat r = lancer({"1", "P1", "P2"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_EQ(r.erreurs, "");
  lignes attendu = debut_du_niveau_deux;
  attendu.insert(attendu.end(), {"termines 1", "fin_du_jeu 0"});
  EXPECT_EQ(decouper(r.sortie), attendu);

  // Sans coup, la position de départ du niveau, sans niveau terminé.
  attendu.end()[-2] = "termines -";
  EXPECT_EQ(decouper(lancer({"2"}).sortie), attendu);
}

TEST(Console, LaTraceSuitLesRequetesDesRegles) {
  const resultat r = lancer({"--trace", "1", "P1", "P2"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const lignes l = decouper(r.sortie);
  const lignes trace(l.begin() + 12, l.end());
  EXPECT_EQ(trace, (lignes{
                       "trace",
                       "coup P1",
                       "memoriser_historique",
                       "animer a151:h1 a152:h2 a153:h3 a154:h4 a155:h5",
                       "coup P2",
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
}

TEST(Console, LHistoriqueSuitLaPositionEtLaTrace) {
  const resultat r = lancer({"--trace", "--historique", "2", "P2", "T", "M"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const lignes l = decouper(r.sortie);
  ASSERT_EQ(l.size(), 12u + 7u + 7u);
  EXPECT_EQ(l[3], "panier1 00000 40004 50005 40004 51235");
  EXPECT_EQ(l[4], "panier2 00000 00000 00000 00000 01230");
  EXPECT_EQ(l[6], "haut 00100");
  EXPECT_EQ(l[7], "ligne_prise 1");
  EXPECT_EQ(l[8], "pas 0");
  EXPECT_EQ(l[9], "mode 1");
  // L'historique tient la position d'avant la levée.
  EXPECT_EQ(lignes(l.begin() + 12, l.begin() + 19),
            (lignes{"historique_retournements 100010", "historique_portes 111",
                    "historique_panier1 00000 40004 50005 40004 51235",
                    "historique_panier2 00000 00000 00000 00100 01230",
                    "historique_panier3 00000 00000 00000 00000 00000", "historique_haut 00000",
                    "historique_ligne_prise 0"}));
  EXPECT_EQ(lignes(l.begin() + 19, l.end()),
            (lignes{"trace", "coup P2", "memoriser_historique",
                    "animer a241:h1 a242:h2 a243:h3 a244:h4 a245:h5", "coup T", "coup M",
                    "redessiner_plateau"}));
}

TEST(Console, BoutonsDeLaBarreDOutils) {
  struct cas {
    lignes coups;
    const char* pas;
    const char* mode;
    const char* panier2;
  };
  const cas table[] = {
      {{"M", "M"}, "pas 1", "mode 2", "panier2 00000 00000 00000 00100 01230"},
      {{"T", "T", "T"}, "pas 6", "mode 2", "panier2 00000 00000 00000 00100 01230"},
      {{"P2", "P1", "U"}, "pas 1", "mode 2", "panier2 00000 00000 00000 00000 01230"},
      {{"P2", "P1", "R"}, "pas 1", "mode 2", "panier2 00000 00000 00000 00100 01230"},
  };
  for (const auto& c : table) {
    lignes arguments{"2"};
    arguments.insert(arguments.end(), c.coups.begin(), c.coups.end());
    const lignes l = decouper(lancer(arguments).sortie);
    ASSERT_EQ(l.size(), 12u);
    EXPECT_EQ(l[4], c.panier2);
    EXPECT_EQ(l[8], c.pas);
    EXPECT_EQ(l[9], c.mode);
  }
}

TEST(Console, LaResolutionDonneUneLigneParNiveauPuisLeTotal) {
  const resultat r = lancer({"--resoudre", "1", "1"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const lignes l = decouper(r.sortie);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "niveau 1 : 2 coups : P1 P2");
  EXPECT_EQ(l[1], l[0]);
  EXPECT_TRUE(std::regex_match(l[2], std::regex(R"(total : 4 coups, [0-9]+\.[0-9]{2} s)"))) << l[2];
}

TEST(Console, ArgumentsIncorrectsOuCoupsQueLaFenetreNePermetPas) {
  struct cas {
    lignes arguments;
    int code;
    const char* message;  // ce que le message d'erreur doit nommer
  };
  const cas table[] = {
      {{}, 2, "NIVEAU"},
      {{"0"}, 2, "« 0 »"},
      {{"81"}, 2, "« 81 »"},
      {{"1x"}, 2, "« 1x »"},
      {{"--vite", "1"}, 2, "--vite"},
      {{"1", "--dossier"}, 2, "« --dossier »"},
      {{"--dossier"}, 2, "--dossier"},
      {{"1", "P1", "P4"}, 2, "coup 2 « P4 »"},
      {{"1", "S6"}, 2, "coup 1 « S6 »"},
      {{"1", "p1"}, 2, "coup 1 « p1 »"},
      {{"--resoudre", "0"}, 2, "« 0 »"},
      {{"--resoudre"}, 2, "--resoudre"},
      {{"1", "P3"}, 3, "coup 1 « P3 »"},        // panier 3 caché au niveau 1
      {{"1", "P1", "V3"}, 3, "coup 2 « V3 »"},  // bouton caché avec son panier
      {{"1", "V1"}, 3, "coup 1 « V1 »"},        // aucun retournement au niveau 1
      {{"2", "V1", "H1"}, 3, "coup 2 « H1 »"},  // seuls V1 et V3 au niveau 2
  };
  for (const auto& c : table) {
    std::string nom;
    for (const auto& a : c.arguments) nom += a + " ";
    SCOPED_TRACE(nom);
    const resultat r = lancer(c.arguments);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.sortie, "");
    EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << r.erreurs;
  }
}

TEST_F(ConsoleDossier, SauverPuisOuvrirRendLaPositionAvecSaLigneTenue) {
  const resultat r =
      lancer({"--trace", "--dossier", dossier(), "2", "P2", "T", "S3", "R", "T", "O3"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const lignes l = decouper(r.sortie);
  EXPECT_EQ(l[6], "haut 00100");
  EXPECT_EQ(l[7], "ligne_prise 1");
  EXPECT_EQ(l[8], "pas 0");
  const lignes fin{"coup O3", "redessiner_plateau", "memoriser_historique"};
  EXPECT_EQ(lignes(l.end() - 3, l.end()), fin);
  EXPECT_EQ(fs::file_size(dossier_ / "VELTOR.CFG"), 570u);
}

TEST_F(ConsoleDossier, SansFichierLesEmplacementsDOuvertureSontDesactives) {
  const resultat r = lancer({"--dossier", dossier(), "1", "S0", "O1"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.sortie, "");
  EXPECT_NE(r.erreurs.find("coup 2 « O1 »"), std::string::npos) << r.erreurs;
  EXPECT_EQ(lancer({"--dossier", dossier(), "1", "O0"}).code, 0);  // sauvé juste avant
}

TEST_F(ConsoleDossier, UneMontreeQuiEchoueLaisseQuandMemeCliquer) {
  ecrire_octets(100);
  // La première montrée échoue : les boutons restent actifs, comme dessinés ; le clic
  // relit le fichier et échoue à son tour, sans rien rendre.
  resultat r = lancer({"--trace", "--dossier", dossier(), "2", "O4"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  lignes l = decouper(r.sortie);
  EXPECT_EQ(lignes(l.begin(), l.begin() + 10), debut_du_niveau_deux);
  const lignes fin{"coup O4", "erreur Lecture au delà de la fin de fichier.",
                   "erreur Lecture au delà de la fin de fichier."};
  EXPECT_EQ(lignes(l.end() - 3, l.end()), fin);

  // Sauver malgré la montrée manquée récrit un fichier entier.
  r = lancer({"--trace", "--dossier", dossier(), "2", "S1", "O1"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  l = decouper(r.sortie);
  const lignes trace{"trace",
                     "coup S1",
                     "erreur Lecture au delà de la fin de fichier.",
                     "coup O1",
                     "redessiner_plateau",
                     "memoriser_historique"};
  EXPECT_EQ(lignes(l.end() - 6, l.end()), trace);
  EXPECT_EQ(fs::file_size(dossier_ / "VELTOR.CFG"), 570u);
}

TEST_F(ConsoleDossier, ApresLeNiveauQuatreVingtPlusAucunCoup) {
  // Une partie sauvée au niveau 80, à une pose de la fin.
  etat_du_jeu presque_fini;
  presque_fini.numero_niveau = 80;
  charger_niveau(presque_fini, 80);
  for (auto& panier : presque_fini.plan.paniers)
    for (auto& rangee : panier)
      for (piece& p : rangee) p = 0;
  presque_fini.plan.paniers[0][4][0] = 10;
  presque_fini.ligne_du_haut[1] = 10;
  presque_fini.ligne_prise = 1;
  emplacements_des_parties e{};
  remplir_emplacement(e[0], presque_fini);
  ASSERT_FALSE(ecrire_fichier_des_parties(dossier_, e).has_value());

  resultat r = lancer({"--trace", "--dossier", dossier(), "1", "O0", "P1"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const lignes l = decouper(r.sortie);
  EXPECT_EQ(l[0], "niveau 80");
  EXPECT_EQ(l[10], "termines 80");
  EXPECT_EQ(l[11], "fin_du_jeu 1");
  const lignes fin{"fenetre_fin", "fin_du_programme"};
  EXPECT_EQ(lignes(l.end() - 2, l.end()), fin);

  r = lancer({"--dossier", dossier(), "1", "O0", "P1", "T"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.sortie, "");
  EXPECT_NE(r.erreurs.find("coup 3 « T »"), std::string::npos) << r.erreurs;
}

}  // namespace
}  // namespace veltor
