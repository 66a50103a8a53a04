// La boîte « A propos... » et l'aide du jeu : la boîte telle que dessinée, une boîte neuve
// à chaque clic ; l'aide livrée dans les données du jeu, ses liens, ses solutions rejouées par
// les règles, sa visionneuse ouverte deux fois.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextStream>

#include "fenetres/A_propos.h"
#include "fenetres/afficher_fenetre.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "outils_de_test.h"
#include "plateforme/donnees.h"
#include "plateforme/image_etiree.h"
#include "plateforme/visionneuse_aide.h"

using veltor::essais::fermeur_de_modales;

namespace {

const QString legende_du_jeu = QStringLiteral("VELTOR95  1.0 Pour Windows 95/98/NT");

TEST(BoiteAPropos, CommeDessinee) {
  QWidget principale;
  Tboite_a_propos boite(&principale);
  EXPECT_EQ(boite.objectName(), "boite_a_propos");
  EXPECT_EQ(boite.windowTitle(), legende_du_jeu);
  EXPECT_EQ(boite.parentWidget(), &principale);
  EXPECT_EQ(boite.minimumSize(), QSize(300, 306));
  EXPECT_EQ(boite.maximumSize(), QSize(300, 306));
  const Qt::WindowFlags drapeaux = boite.windowFlags();
  EXPECT_TRUE(drapeaux.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(drapeaux.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_FALSE(drapeaux.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(boite.testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_EQ(boite.font().pixelSize(), 13);

  ASSERT_EQ(boite.findChild<veltor::plateforme::image_etiree*>("Image1"), boite.Image1);
  EXPECT_EQ(boite.Image1->geometry(), QRect(0, 0, 300, 260));
  EXPECT_EQ(boite.Image1->image().deviceIndependentSize().toSize(), QSize(300, 260));
  ASSERT_EQ(boite.findChild<QPushButton*>("BitBtn2"), boite.BitBtn2);
  EXPECT_EQ(boite.BitBtn2->geometry(), QRect(0, 280, 300, 25));
  EXPECT_EQ(boite.BitBtn2->text(), "&Fermer");
}

// Deux clics sur le bouton « A propos... » : deux boîtes successives, chacune centrée, avec
// sa légende, fermée par « Fermer » (Alt+F), puis libérée.
TEST(BoiteAPropos, DeuxBoitesDeSuite) {
  QWidget principale;
  principale.show();
  const QPoint centre_de_l_ecran = QGuiApplication::primaryScreen()->availableGeometry().center();
  for (int fois = 0; fois < 2; ++fois) {
    QPointer<Tboite_a_propos> boite = new Tboite_a_propos(&principale);
    QString legende_vue;
    QPoint centre_vu;
    int epaisseur_du_cadre = 0;
    fermeur_de_modales fermeur([&](QWidget* modale) {
      if (modale != boite) return;
      legende_vue = modale->windowTitle();
      centre_vu = modale->frameGeometry().center();
      epaisseur_du_cadre = modale->frameGeometry().width() - modale->width();
      QTest::keyClick(modale, Qt::Key_F, Qt::AltModifier);
    });
    veltor::fenetres::afficher_fenetre(boite, &principale);
    EXPECT_TRUE(boite.isNull()) << fois;
    EXPECT_EQ(legende_vue, legende_du_jeu) << fois;
    // Avant la première montrée, le cadre n'est pas encore connu : centrée à lui près.
    EXPECT_LE((centre_vu - centre_de_l_ecran).manhattanLength(), 1 + epaisseur_du_cadre) << fois;
  }
}

// L'aide telle que le jeu la trouve quand le joueur n'a pas la sienne dans le répertoire de
// départ : la copie que la construction range dans les données du jeu, à côté de bin/.
QString chemin_de_l_aide() {
  static const QTemporaryDir depart;
  return veltor::plateforme::chercher_donnee(depart.path() + '/', QStringLiteral("Veltor95.html"));
}

QString texte_de_l_aide() {
  QFile fichier(chemin_de_l_aide());
  EXPECT_TRUE(fichier.open(QIODevice::ReadOnly)) << "aide introuvable dans les données du jeu";
  return QString::fromUtf8(fichier.readAll());
}

TEST(Aide, ChaqueLienMeneAUneAncreEtLeSommaireExiste) {
  const QString aide = texte_de_l_aide();
  QSet<QString> ancres;
  for (const auto& m : QRegularExpression(R"re(\bname="([^"]+)")re").globalMatch(aide))
    ancres.insert(m.captured(1));
  EXPECT_TRUE(ancres.contains("sommaire"));
  for (const auto& m : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(aide))
    EXPECT_TRUE(ancres.contains(m.captured(1))) << m.captured(1).toStdString();
}

TEST(Aide, NommeChaqueBoutonParSaBulle) {
  const QString aide = texte_de_l_aide();
  for (const char* bulle :
       {"Ouvrir un niveau", "Enregistrer le niveau actuel", "Revenir un coup en arrière",
        "Recommencer le niveau en cours", "Mode Graphique/Simplifié", "Son OUI/NON", "Aide",
        "A propos...", "Vitesse du jeu", "Quitter le jeu"})
    EXPECT_TRUE(aide.contains(QStringLiteral("« %1 »").arg(QString::fromUtf8(bulle)))) << bulle;
}

// Chaque solution donnée par l'aide, rejouée par les règles, termine son niveau à son
// dernier coup et pas avant.
TEST(Aide, LesSolutionsDonneesGagnentLeurNiveau) {
  const QRegularExpression ligne(
      R"re(<tr><td>(\d+)</td><td>[^<]*</td><td class="solution">([^<]*)</td></tr>)re");
  int solutions = 0;
  for (const auto& m : ligne.globalMatch(texte_de_l_aide())) {
    ++solutions;
    const int niveau = m.captured(1).toInt();
    const QStringList coups = m.captured(2).split(' ', Qt::SkipEmptyParts);
    veltor::etat_du_jeu etat{};
    veltor::requetes_sans_fenetre r(etat);
    veltor::commencer_niveau(etat, r, niveau);
    for (qsizetype i = 0; i < coups.size(); ++i) {
      ASSERT_EQ(etat.numero_niveau, niveau) << "niveau " << niveau << ", coup " << i;
      const QString& coup = coups[i];
      const int panier = coup.mid(1).toInt();
      ASSERT_TRUE(coup.size() == 2 && panier >= 1 && panier <= 3) << coup.toStdString();
      if (coup[0] == 'P') {
        veltor::choisir_panier(etat, r, panier);
      } else if (coup[0] == 'V' && etat.plan.retournements_permis[2 * (panier - 1)] == 1) {
        veltor::retourner_vertical(etat, r, panier);
      } else if (coup[0] == 'H' && etat.plan.retournements_permis[2 * (panier - 1) + 1] == 1) {
        veltor::retourner_horizontal(etat, r, panier);
      } else {
        FAIL() << "niveau " << niveau << " : coup impossible " << coup.toStdString();
      }
    }
    EXPECT_EQ(etat.numero_niveau, niveau + 1) << "niveau " << niveau;
  }
  EXPECT_GT(solutions, 0) << "le tableau des solutions n'a pas été trouvé";
}

// Ouverte deux fois de suite : la même fenêtre non modale, sur le sommaire de l'aide.
TEST(Aide, VisionneuseOuverteDeuxFois) {
  QWidget principale;
  principale.show();
  veltor::plateforme::visionneuse_aide visionneuse(chemin_de_l_aide(), &principale);
  for (int fois = 0; fois < 2; ++fois) {
    ASSERT_TRUE(visionneuse.montrer_sommaire()) << fois;
    EXPECT_TRUE(visionneuse.isVisible());
    EXPECT_FALSE(visionneuse.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    auto* navigateur = visionneuse.findChild<QTextBrowser*>();
    ASSERT_NE(navigateur, nullptr);
    EXPECT_EQ(navigateur->documentTitle(), "Aide de VELTOR95");
    EXPECT_TRUE(navigateur->toPlainText().contains("VELTOR95 - Sommaire"));
  }
}

}  // namespace
