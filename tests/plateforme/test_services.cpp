// Les services de la couche plateforme : où sont les données, les polices, la profondeur de
// l'écran, la visionneuse de l'aide.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "plateforme/donnees.h"
#include "plateforme/polices.h"
#include "plateforme/profondeur.h"
#include "plateforme/visionneuse_aide.h"

using namespace veltor::plateforme;

namespace {

bool ecrire(const QString& chemin, const QByteArray& contenu) {
  QFile f(chemin);
  return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

// Le fichier du joueur l'emporte, puis celui du jeu, sinon le nom nu.
TEST(Donnees, LeRepertoireDeDepartPuisLeDossierDuJeuPuisLeNomNu) {
  QTemporaryDir depart;
  const QDir jeu(dossier_des_donnees());
  ASSERT_TRUE(jeu.exists()) << jeu.path().toStdString();
  const QString propre =
      QStringLiteral("essai_donnees_%1.wav").arg(QCoreApplication::applicationPid());
  const QString partage =
      QStringLiteral("essai_partage_%1.wav").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(ecrire(depart.filePath(propre), "joueur"));
  ASSERT_TRUE(ecrire(jeu.filePath(propre), "jeu"));
  ASSERT_TRUE(ecrire(jeu.filePath(partage), "jeu"));

  const QString rep = depart.path() + QLatin1Char('/');
  EXPECT_EQ(chercher_donnee(rep, propre), depart.filePath(propre));
  EXPECT_EQ(chercher_donnee(rep, partage), jeu.filePath(partage));
  EXPECT_EQ(chercher_donnee(rep, QStringLiteral("introuvable.hlp")), "introuvable.hlp");
  QFile::remove(jeu.filePath(propre));
  QFile::remove(jeu.filePath(partage));
}

TEST(Polices, LesNomsDOrigineDonnentLesPolicesLiberation) {
  substituer_polices();
  struct cas {
    const char* nom;
    int pixels;
    const char* famille;
    bool grasse;
  };
  const cas table[] = {{"Times New Roman", 27, "Liberation Serif", false},
                       {"MS Sans Serif", 11, "Liberation Sans", false},
                       {"System", 13, "Liberation Sans", true}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    const QFontInfo info(police_du_jeu(c.nom, c.pixels));
    EXPECT_EQ(info.family(), c.famille);
    EXPECT_EQ(info.pixelSize(), c.pixels);
    EXPECT_EQ(info.bold(), c.grasse);
  }
}

TEST(Profondeur, SeizeBitsAuMoins) {
  for (int bits : {1, 4, 8, 15}) EXPECT_FALSE(profondeur_suffisante(bits)) << bits;
  for (int bits : {16, 24, 32}) EXPECT_TRUE(profondeur_suffisante(bits)) << bits;
  EXPECT_GT(profondeur_de_l_ecran(), 0);
}

class VisionneuseAide : public testing::Test {
 protected:
  // Une aide longue, avec ou sans ancre « sommaire » au milieu.
  QString aide(bool avec_sommaire) {
    QByteArray html = "<html><body><h1>Aide</h1>";
    for (int i = 0; i < 200; ++i) html += "<p>Préambule " + QByteArray::number(i) + "</p>";
    if (avec_sommaire) html += "<h2><a name=\"sommaire\">Sommaire</a></h2>";
    for (int i = 0; i < 200; ++i) html += "<p>Règle " + QByteArray::number(i) + "</p>";
    html += "</body></html>";
    const QString chemin = dossier_.filePath(avec_sommaire ? "avec.html" : "sans.html");
    EXPECT_TRUE(ecrire(chemin, html));
    return chemin;
  }
  QTemporaryDir dossier_;
  QWidget principale_;
};

TEST_F(VisionneuseAide, FichierIlliblePasDeFenetre) {
  auto* v = new visionneuse_aide(dossier_.filePath("absent.html"), &principale_);
  EXPECT_FALSE(v->montrer_sommaire());
  EXPECT_FALSE(v->isVisible());
  auto* dossier = new visionneuse_aide(dossier_.path(), &principale_);
  EXPECT_FALSE(dossier->montrer_sommaire());
}

TEST_F(VisionneuseAide, FenetreNonModaleOuverteSurLeSommaireAChaqueFois) {
  for (bool avec_sommaire : {true, false}) {
    SCOPED_TRACE(avec_sommaire ? "ancre sommaire" : "haut du fichier");
    auto* v = new visionneuse_aide(aide(avec_sommaire), &principale_);
    ASSERT_TRUE(v->montrer_sommaire());
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->isWindow());
    EXPECT_EQ(v->parentWidget(), &principale_);
    EXPECT_FALSE(v->isModal());
    EXPECT_EQ(v->windowTitle(), "Aide de VELTOR95");
    auto* navigateur = v->findChild<QTextBrowser*>();
    ASSERT_NE(navigateur, nullptr);
    EXPECT_TRUE(navigateur->toPlainText().contains("Règle 199"));
    const int au_sommaire = navigateur->verticalScrollBar()->value();
    if (avec_sommaire) {
      EXPECT_GT(au_sommaire, 0);
    } else {
      EXPECT_EQ(au_sommaire, 0);
    }

    // Le joueur a fait défiler la page ; l'aide redemandée revient au sommaire.
    navigateur->verticalScrollBar()->setValue(navigateur->verticalScrollBar()->maximum());
    ASSERT_TRUE(v->montrer_sommaire());
    EXPECT_EQ(navigateur->verticalScrollBar()->value(), au_sommaire);
  }
}

}  // namespace
