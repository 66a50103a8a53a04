// Le démarrage : le refus d'un écran de moins de 16 bits, le répertoire de départ.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <filesystem>

#include "fenetres/demarrage_application.h"
#include "outils_de_test.h"

namespace {

TEST(Demarrage, UnEcranDeMoinsDe16BitsEstRefuseAvantTouteFenetre) {
  const auto dossier = std::filesystem::temp_directory_path() / "veltor-demarrage-refuse";
  std::filesystem::remove_all(dossier);
  std::filesystem::create_directories(dossier);
  for (int bits : {8, 15}) {
    QString texte, titre;
    veltor::essais::fermeur_de_modales fermeur([&](QWidget* modale) {
      auto* boite = qobject_cast<QMessageBox*>(modale);
      ASSERT_NE(boite, nullptr);
      titre = boite->windowTitle();
      texte = boite->text();
      EXPECT_EQ(boite->buttons().size(), 1);
      EXPECT_EQ(boite->buttons().front()->text(), QStringLiteral("OK"));
      boite->buttons().front()->click();
    });
    EXPECT_EQ(veltor::fenetres::lancer_le_jeu(*qApp, dossier, bits), 0) << bits;
    EXPECT_EQ(titre, QStringLiteral("Information"));
    EXPECT_EQ(texte,
              QStringLiteral("VELTOR95  1.0 Pour Windows 95/98/NT ne tourne qu'à partir de 65536 "
                             "couleurs, (soit un minimum de 16 bits).Veuillez configurer votre "
                             "sytème en conséquence."));
    for (QWidget* w : QApplication::topLevelWidgets())
      EXPECT_NE(w->objectName(), QStringLiteral("fenetre_principale"));
  }
  EXPECT_TRUE(std::filesystem::is_empty(dossier));
}

TEST(Demarrage, LeRepertoireDeDepartFinitParUnSeulSeparateur) {
  using veltor::fenetres::repertoire_de_depart_depuis;
  EXPECT_EQ(repertoire_de_depart_depuis("/home/joueur/jeux").string(), "/home/joueur/jeux/");
  EXPECT_EQ(repertoire_de_depart_depuis("/").string(), "/");
  EXPECT_EQ(repertoire_de_depart_depuis("/jeux/").string(), "/jeux/");
}

}  // namespace
