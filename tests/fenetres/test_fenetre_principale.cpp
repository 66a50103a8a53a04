// La fenêtre principale : ses contrôles, les appuis, le dessin, les animations,
// l'effacement, les réglages, la fin d'un niveau, la question de sortie.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <unistd.h>

#include "fenetres/Demarage.h"
#include "fenetres/Suivant.h"
#include "fenetres/fin.h"
#include "fenetres/ouvrir.h"
#include "fenetres/sauver.h"
#include "jeu/niveaux.h"
#include "jeu/regles.h"
#include "outils/solveur/solveur.h"
#include "outils_de_test.h"
#include "plateforme/bouton_glyphe.h"
#include "plateforme/image_etiree.h"

using namespace std::chrono_literals;
using veltor::lieu;
using veltor::essais::appuyer;
using veltor::essais::fermeur_de_modales;
using veltor::plateforme::image_etiree;

namespace {

class FenetrePrincipale : public testing::Test {
 protected:
  void SetUp() override {
    fenetre = std::make_unique<Tfenetre_principale>(std::filesystem::temp_directory_path(), 0ns);
    suivant = new Tfenetre_suivant(fenetre.get());
    fin = new Tfenetre_fin(fenetre.get());
    fenetre->definir_fenetres(suivant, nullptr, nullptr, fin);
    fenetre->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
  }

  template <typename T = QWidget>
  T* controle(const char* nom) {
    T* c = fenetre->findChild<T*>(QString::fromLatin1(nom));
    EXPECT_NE(c, nullptr) << nom;
    return c;
  }
  QAbstractButton* bouton(const char* nom) { return controle<QAbstractButton>(nom); }
  QWidget* panier(int b) { return controle(QStringLiteral("panier%1").arg(b - 1).toLatin1()); }

  // Vrai quand chaque image de case et de la ligne du haut montre la pièce de l'état.
  void verifier_le_plateau_suit_l_etat() {
    auto& e = fenetre->etat();
    for (int b = 1; b <= 3; ++b)
      for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c) {
          const image_etiree* image = fenetre->image_de(lieu::case_du_panier(b, r, c));
          EXPECT_EQ(image->image().cacheKey(),
                    fenetre->image_de_piece(e.mode_affichage, e.cellule(b, r, c)).cacheKey())
              << "a" << b << r << c;
          EXPECT_EQ(image->geometry(), image->property("bornes_dessinees").toRect());
        }
    for (int k = 1; k <= 5; ++k)
      EXPECT_EQ(fenetre->image_de(lieu::case_du_haut(k))->image().cacheKey(),
                fenetre->image_de_piece(e.mode_affichage, e.haut(k)).cacheKey());
  }

  std::unique_ptr<Tfenetre_principale> fenetre;
  Tfenetre_suivant* suivant = nullptr;
  Tfenetre_fin* fin = nullptr;
};

struct place_attendue {
  const char* nom;
  const char* parent;
  QRect bornes;
};

TEST_F(FenetrePrincipale, ChaqueControleEstASaPlaceSousSonNom) {
  EXPECT_EQ(fenetre->size(), QSize(592, 279));
  EXPECT_EQ(fenetre->windowTitle(), QStringLiteral("VELTOR95  1.0 Pour Windows 95/98/NT"));
  EXPECT_FALSE(fenetre->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(fenetre->windowFlags() & Qt::WindowMinimizeButtonHint);
  const place_attendue places[] = {
      {"Image16", "fenetre_principale", {0, 0, 500, 280}},
      {"texte_numero_niveau", "fenetre_principale", {224, 10, 45, 29}},
      {"porte1", "fenetre_principale", {8, 88, 156, 185}},
      {"porte2", "fenetre_principale", {172, 88, 156, 185}},
      {"porte3", "fenetre_principale", {336, 88, 156, 185}},
      {"panier0", "porte1", {4, 4, 147, 147}},
      {"panier2", "porte3", {4, 4, 147, 147}},
      {"a111", "panier0", {3, 2, 28, 28}},
      {"a235", "panier1", {3 + 28 * 4, 2 + 28 * 2, 28, 28}},
      {"a355", "panier2", {3 + 28 * 4, 2 + 28 * 4, 28, 28}},
      {"bouton_v2", "porte2", {4, 154, 72, 26}},
      {"bouton_h3", "porte3", {78, 154, 72, 26}},
      {"Panel6", "fenetre_principale", {171, 44, 157, 39}},
      {"image_du_haut1", "Panel6", {8, 5, 28, 28}},
      {"image_du_haut5", "Panel6", {8 + 28 * 4, 5, 28, 28}},
      {"Panel2", "fenetre_principale", {501, 0, 91, 279}},
      {"speed_bouton_ouvrir_une_partie", "Panel2", {5, 4, 41, 55}},
      {"speed_bouton_sauver_la_partie_en_cours", "Panel2", {45, 4, 41, 55}},
      {"speed_bouton_revenir_en_arriere", "Panel2", {5, 58, 41, 55}},
      {"speed_bouton_recommencer_le_niveau_en_cours", "Panel2", {45, 58, 41, 55}},
      {"speed_bouton_mode_graphique_simplifie", "Panel2", {5, 112, 41, 55}},
      {"speed_bouton_son_on_off", "Panel2", {45, 112, 41, 55}},
      {"speed_bouton_aide", "Panel2", {5, 166, 41, 55}},
      {"speed_bouton_a_propos", "Panel2", {45, 166, 41, 55}},
      {"speed_bouton_vitesse_du_jeu", "Panel2", {5, 220, 41, 55}},
      {"speed_bouton_quitter", "Panel2", {45, 220, 41, 55}},
  };
  for (const auto& p : places) {
    QWidget* c = controle(p.nom);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->geometry(), p.bornes) << p.nom;
    EXPECT_EQ(c->parentWidget()->objectName(), QString::fromLatin1(p.parent)) << p.nom;
  }
  const std::pair<const char*, const char*> bulles[] = {
      {"speed_bouton_ouvrir_une_partie", "Ouvrir un niveau"},
      {"speed_bouton_sauver_la_partie_en_cours", "Enregistrer le niveau actuel"},
      {"speed_bouton_revenir_en_arriere", "Revenir un coup en arrière"},
      {"speed_bouton_recommencer_le_niveau_en_cours", "Recommencer le niveau en cours"},
      {"speed_bouton_mode_graphique_simplifie", "Mode Graphique/Simplifié"},
      {"speed_bouton_son_on_off", "Son OUI/NON"},
      {"speed_bouton_aide", "Aide"},
      {"speed_bouton_a_propos", "A propos..."},
      {"speed_bouton_vitesse_du_jeu", "Vitesse du jeu"},
      {"speed_bouton_quitter", "Quitter le jeu"},
  };
  for (const auto& [nom, bulle] : bulles) EXPECT_EQ(bouton(nom)->toolTip(), QString::fromUtf8(bulle));
}

TEST_F(FenetrePrincipale, LeDebutDePartieMontreLeNiveau1) {
  EXPECT_EQ(controle<QLabel>("texte_numero_niveau")->text(), QStringLiteral("1"));
  EXPECT_TRUE(controle("porte1")->isVisible());
  EXPECT_TRUE(controle("porte2")->isVisible());
  EXPECT_FALSE(controle("porte3")->isVisible());
  for (const char* nom : {"bouton_v1", "bouton_h1", "bouton_v2", "bouton_h2"})
    EXPECT_FALSE(bouton(nom)->isEnabled()) << nom;
  EXPECT_EQ(bouton("speed_bouton_vitesse_du_jeu")->text(), QStringLiteral("6"));
  verifier_le_plateau_suit_l_etat();
  // Les polices : le numéro et le chiffre de vitesse en Times New Roman maigre, la fenêtre en
  // System gras.
  const QFont numero = controle("texte_numero_niveau")->font();
  EXPECT_EQ(numero.family(), QStringLiteral("Times New Roman"));
  EXPECT_EQ(numero.pixelSize(), 27);
  EXPECT_FALSE(numero.bold());
  const QFont chiffre = bouton("speed_bouton_vitesse_du_jeu")->font();
  EXPECT_EQ(chiffre.pixelSize(), 21);
  EXPECT_FALSE(chiffre.bold());
  EXPECT_TRUE(fenetre->font().bold());
  EXPECT_EQ(fenetre->font().pixelSize(), 13);
}

TEST_F(FenetrePrincipale, UnAppuiNImporteOuSurUnPanierEstUnClicSurLePanier) {
  // Sur une pièce avec le bouton droit : la rangée 5 du panier 1 est levée.
  appuyer(controle("a151"), Qt::RightButton);
  EXPECT_EQ(fenetre->etat().ligne_prise, 1);
  EXPECT_EQ(fenetre->etat().haut(1), 1);
  EXPECT_EQ(fenetre->etat().haut(2), 2);
  verifier_le_plateau_suit_l_etat();
  // Entre deux cases (le bord du panier), bouton du milieu : la ligne est reposée.
  appuyer(panier(1), Qt::MiddleButton, QPoint(1, 1));
  EXPECT_EQ(fenetre->etat().ligne_prise, 0);
  EXPECT_EQ(fenetre->etat().cellule(1, 5, 1), 1);
  verifier_le_plateau_suit_l_etat();
}

TEST_F(FenetrePrincipale, UnAppuiHorsDesPaniersNeFaitRien) {
  const auto avant = fenetre->etat().plan;
  // Le fond est pris là où aucun panneau ne le couvre ; la porte, sur son bord, hors du panier.
  const std::pair<const char*, QPoint> appuis[] = {{"image_du_haut1", {14, 14}},
                                                   {"Panel6", {2, 2}},
                                                   {"texte_numero_niveau", {22, 14}},
                                                   {"Image16", {100, 40}},
                                                   {"porte1", {1, 100}}};
  for (const auto& [nom, point] : appuis) {
    appuyer(controle(nom), Qt::LeftButton, point);
    EXPECT_EQ(fenetre->etat().ligne_prise, 0) << nom;
    EXPECT_EQ(fenetre->etat().plan, avant) << nom;
  }
}

TEST_F(FenetrePrincipale, LeBoutonDeVitesseSuitSesNeufClics) {
  const int pas_attendus[] = {1, 0, 7, 6, 5, 4, 3, 2, 1};
  for (int clics = 0; clics <= 8; ++clics) {
    if (clics > 0) bouton("speed_bouton_vitesse_du_jeu")->click();
    EXPECT_EQ(fenetre->etat().nombre_de_pas, pas_attendus[clics]);
    EXPECT_EQ(bouton("speed_bouton_vitesse_du_jeu")->text(), QString::number(7 - pas_attendus[clics]));
  }
}

TEST_F(FenetrePrincipale, LInterrupteurDeModeRedessineToutesLesImages) {
  appuyer(panier(1));  // une ligne tenue : la ligne du haut change aussi de jeu d'images
  auto* mode = bouton("speed_bouton_mode_graphique_simplifie");
  const auto glyphe_graphique = mode->icon().cacheKey();
  mode->click();
  EXPECT_EQ(fenetre->etat().mode_affichage, 1);
  EXPECT_NE(mode->icon().cacheKey(), glyphe_graphique);
  verifier_le_plateau_suit_l_etat();
  mode->click();
  EXPECT_EQ(fenetre->etat().mode_affichage, 2);
  verifier_le_plateau_suit_l_etat();
}

TEST_F(FenetrePrincipale, UneAnimationRendSesBornesEtMontreLesBonnesImages) {
  fenetre->etat().nombre_de_pas = 7;
  int etapes = 0;
  QSize plus_petite(28, 28);
  auto* a151 = controle("a151");
  fenetre->moteur().apres_chaque_etape = [&] {
    ++etapes;
    plus_petite = plus_petite.boundedTo(a151->size());
  };
  appuyer(panier(1));
  // Sept étapes de rétrécissement, l'échange, puis sept étapes de croissance.
  EXPECT_EQ(etapes, 15);
  EXPECT_EQ(plus_petite, QSize(14, 14));
  verifier_le_plateau_suit_l_etat();
}

TEST_F(FenetrePrincipale, UnEffacementVideSesCasesALEcranEtDansLEtat) {
  fenetre->etat().nombre_de_pas = 3;
  appuyer(panier(1));
  // La pose dans le panier 2 efface les deux 1 puis les deux 2 : le niveau 1 est fini.
  fermeur_de_modales fermeur;
  appuyer(panier(2));
  EXPECT_EQ(fenetre->etat().numero_niveau, 2);
  EXPECT_TRUE(fermeur.titres.contains(QStringLiteral("Niveau : 1")));
  EXPECT_EQ(controle<QLabel>("texte_numero_niveau")->text(), QStringLiteral("2"));
  EXPECT_TRUE(controle("porte3")->isVisible());
  verifier_le_plateau_suit_l_etat();
}

TEST_F(FenetrePrincipale, LaFenetreSuivantFermeeParSaCaseDeFermetureMeneAuNiveauSuivant) {
  veltor::commencer_niveau(fenetre->etat(), *fenetre, 12);
  const auto solution = veltor::solveur::resoudre(12);
  ASSERT_TRUE(solution.possible);
  fermeur_de_modales fermeur;  // close() : la case de fermeture de la barre de titre
  for (const auto& coup : solution.coups) {
    const int b = coup[1] - '0';
    if (coup[0] == 'P') appuyer(panier(b));
    if (coup[0] == 'V') bouton(QStringLiteral("bouton_v%1").arg(b).toLatin1())->click();
    if (coup[0] == 'H') bouton(QStringLiteral("bouton_h%1").arg(b).toLatin1())->click();
  }
  EXPECT_TRUE(fermeur.titres.contains(QStringLiteral("Niveau : 12")));
  EXPECT_EQ(fenetre->etat().numero_niveau, 13);
  EXPECT_EQ(controle<QLabel>("texte_numero_niveau")->text(), QStringLiteral("13"));
}

TEST_F(FenetrePrincipale, LaQuestionDeSortieAvecNonNeChangeRien) {
  appuyer(panier(1));
  const auto plan = fenetre->etat().plan;
  const auto historique = fenetre->historique_memorise().plan;
  fermeur_de_modales fermeur([](QWidget* boite) {
    auto* question = qobject_cast<QMessageBox*>(boite);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->windowTitle(), QStringLiteral("Confirmation"));
    EXPECT_EQ(question->text(),
              QStringLiteral("Voulez-vous quitter VELTOR95  1.0 Pour Windows 95/98/NT"));
    for (QAbstractButton* b : question->buttons())
      if (b->text() == QStringLiteral("&Non")) b->click();
  });
  bouton("speed_bouton_quitter")->click();
  EXPECT_TRUE(fenetre->isVisible());
  EXPECT_EQ(fenetre->etat().plan, plan);
  EXPECT_EQ(fenetre->etat().ligne_prise, 1);
  EXPECT_EQ(fenetre->historique_memorise().plan, historique);
  EXPECT_EQ(fermeur.titres.size(), 1);
}

TEST_F(FenetrePrincipale, RetourEnArriereEtRecommencer) {
  appuyer(panier(1));
  bouton("speed_bouton_revenir_en_arriere")->click();
  EXPECT_EQ(fenetre->etat().ligne_prise, 0);
  EXPECT_EQ(fenetre->etat().plan, veltor::table_des_niveaux(1));
  verifier_le_plateau_suit_l_etat();
  appuyer(panier(2));
  bouton("speed_bouton_recommencer_le_niveau_en_cours")->click();
  EXPECT_EQ(fenetre->etat().ligne_prise, 0);
  EXPECT_EQ(fenetre->etat().plan, veltor::table_des_niveaux(1));
  verifier_le_plateau_suit_l_etat();
}

TEST_F(FenetrePrincipale, LeNiveau80FiniMontreLaFenetreDeFinEtFermeLeJeu) {
  veltor::commencer_niveau(fenetre->etat(), *fenetre, 80);
  const auto solution = veltor::solveur::resoudre(80);
  ASSERT_TRUE(solution.possible);
  fermeur_de_modales fermeur([](QWidget* modale) {
    // Sans bouton de barre de titre : seul son bouton la ferme.
    modale->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
  });
  for (const auto& coup : solution.coups) {
    const int b = coup[1] - '0';
    if (coup[0] == 'P') appuyer(panier(b));
    if (coup[0] == 'V') bouton(QStringLiteral("bouton_v%1").arg(b).toLatin1())->click();
    if (coup[0] == 'H') bouton(QStringLiteral("bouton_h%1").arg(b).toLatin1())->click();
  }
  EXPECT_EQ(fermeur.titres, QStringList{QStringLiteral("Fin du jeu...")});
  EXPECT_TRUE(fenetre->partie_finie());
  EXPECT_EQ(fenetre->etat().numero_niveau, 80);
  QTest::qWait(20);
  EXPECT_FALSE(fenetre->isVisible());  // fermée sans la question
}

TEST_F(FenetrePrincipale, OuvrirRendLaPartieSauveeSansToucherAuBoutonDeMode) {
  const auto dossier = std::filesystem::temp_directory_path() /
                       ("veltor-ouvrir-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dossier);
  std::filesystem::create_directories(dossier);
  Tfenetre_ouvrir_une_partie ouvrir(dossier, fenetre->etat(), *fenetre, fenetre.get());
  Tfenetre_sauver_la_partie_en_cours sauver(dossier, fenetre->etat(), *fenetre, fenetre.get());
  fenetre->definir_fenetres(suivant, &ouvrir, &sauver, fin);
  int emplacement = 0;
  fermeur_de_modales fermeur([&](QWidget* modale) {
    modale->findChild<QAbstractButton*>(QStringLiteral("speed_bouton_sauver_%1").arg(emplacement + 1))
        ->click();
  });

  // Mode simplifié, vitesse 0, une ligne tenue : la partie est sauvée dans l'emplacement 2.
  auto* mode = bouton("speed_bouton_mode_graphique_simplifie");
  mode->click();
  bouton("speed_bouton_vitesse_du_jeu")->click();
  appuyer(panier(2));
  emplacement = 2;
  bouton("speed_bouton_sauver_la_partie_en_cours")->click();
  EXPECT_EQ(std::filesystem::file_size(dossier / "VELTOR.CFG"), 570U);

  // Le joueur revient au mode graphique, recommence, puis ouvre l'emplacement 2.
  mode->click();
  bouton("speed_bouton_recommencer_le_niveau_en_cours")->click();
  auto glyphe_du_mode = [&] {
    return static_cast<veltor::plateforme::bouton_glyphe*>(mode)->glyphe().toImage();
  };
  const QImage glyphe_graphique = glyphe_du_mode();
  bouton("speed_bouton_ouvrir_une_partie")->click();
  EXPECT_EQ(fenetre->etat().mode_affichage, 1);
  EXPECT_EQ(fenetre->etat().nombre_de_pas, 0);
  EXPECT_EQ(fenetre->etat().ligne_prise, 1);
  EXPECT_EQ(bouton("speed_bouton_vitesse_du_jeu")->text(), QStringLiteral("7"));
  EXPECT_FALSE(mode->isChecked());
  EXPECT_EQ(glyphe_du_mode(), glyphe_graphique);
  verifier_le_plateau_suit_l_etat();

  // Un retour en arrière tout de suite après laisse la partie ouverte.
  const auto plan = fenetre->etat().plan;
  bouton("speed_bouton_revenir_en_arriere")->click();
  EXPECT_EQ(fenetre->etat().plan, plan);
  EXPECT_EQ(fenetre->etat().ligne_prise, 1);
  fenetre->definir_fenetres(suivant, nullptr, nullptr, fin);
  std::filesystem::remove_all(dossier);
}

TEST(CadenceDesAnimations, ChaqueEtapeResteUneTrameALEcranEtLaVitesse7NAttendJamais) {
  using veltor::fenetres::cadence;
  Tfenetre_principale fenetre(std::filesystem::temp_directory_path(), veltor::fenetres::trame_60hz);
  Tfenetre_suivant suivant(&fenetre);
  fenetre.definir_fenetres(&suivant, nullptr, nullptr, nullptr);
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
  // Une horloge qui n'avance que quand le jeu attend : les écarts entre étapes sont
  // exactement les attentes du jeu.
  cadence::horloge::time_point temps{};
  auto& rythme = fenetre.moteur().rythme();
  rythme.maintenant = [&] { return temps; };
  rythme.attendre_jusqu_a = [&](cadence::horloge::time_point t) { temps = t; };
  std::vector<cadence::horloge::time_point> etapes;
  fenetre.moteur().apres_chaque_etape = [&] { etapes.push_back(temps); };

  fenetre.etat().nombre_de_pas = 7;
  veltor::essais::appuyer(fenetre.findChild<QWidget*>(QStringLiteral("panier0")));
  ASSERT_EQ(etapes.size(), 15U);
  for (std::size_t i = 1; i < etapes.size(); ++i)
    EXPECT_EQ(etapes[i] - etapes[i - 1], veltor::fenetres::trame_60hz) << i;

  // Chiffre 7 : aucune étape, aucune attente, même en finissant le niveau.
  fenetre.etat().nombre_de_pas = 0;
  etapes.clear();
  const auto avant = temps;
  fermeur_de_modales fermeur;
  veltor::essais::appuyer(fenetre.findChild<QWidget*>(QStringLiteral("panier1")));
  EXPECT_EQ(fenetre.etat().numero_niveau, 2);
  EXPECT_TRUE(etapes.empty());
  EXPECT_EQ(temps, avant);
}

}  // namespace
