// Les boîtes de message : titres, icônes, boutons et réponse, telles que le joueur les voit.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "plateforme/boites.h"

using namespace veltor::plateforme;

namespace {

struct vue_de_la_boite {
  QString titre, texte;
  QMessageBox::Icon icone = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QStringList boutons;
};

enum class reponse { premier_bouton, second_bouton, echap, fermeture };

// Ouvre la boîte par `ouvrir`, la regarde une fois montrée, puis y répond.
vue_de_la_boite regarder_et_repondre(const std::function<void()>& ouvrir, reponse r) {
  vue_de_la_boite vue;
  bool vue_prise = false;
  QTimer::singleShot(0, [&] {
    auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (boite == nullptr) return;
    vue_prise = true;
    vue.titre = boite->windowTitle();
    vue.texte = boite->text();
    vue.icone = boite->icon();
    vue.format = boite->textFormat();
    const QList<QAbstractButton*> boutons = boite->buttons();
    for (QAbstractButton* b : boutons) vue.boutons << b->text();
    switch (r) {
      case reponse::premier_bouton:
        boutons.value(0)->click();
        break;
      case reponse::second_bouton:
        boutons.value(1)->click();
        break;
      case reponse::echap:
        QTest::keyClick(boite, Qt::Key_Escape);
        break;
      case reponse::fermeture:
        boite->close();
        break;
    }
  });
  ouvrir();
  EXPECT_TRUE(vue_prise) << "aucune boîte modale montrée";
  return vue;
}

TEST(Boites, InformationEtErreurOntLeurTitreLeurIconeEtUnSeulBoutonOK) {
  const vue_de_la_boite info = regarder_et_repondre(
      [] { boite_information(nullptr, "Création de fenêtre IMPOSSIBLE\rfermez des fenêtres"); },
      reponse::premier_bouton);
  EXPECT_EQ(info.titre, "Information");
  EXPECT_EQ(info.icone, QMessageBox::Information);
  EXPECT_EQ(info.boutons, QStringList{"OK"});
  // Les lignes séparées par un retour chariot s'affichent l'une sous l'autre.
  EXPECT_EQ(info.texte, "Création de fenêtre IMPOSSIBLE\nfermez des fenêtres");

  const vue_de_la_boite erreur = regarder_et_repondre(
      [] { boite_erreur(nullptr, "VELTOR95", "Fichier <VELTOR.CFG> & co introuvable."); },
      reponse::echap);
  EXPECT_EQ(erreur.titre, "VELTOR95");
  EXPECT_EQ(erreur.icone, QMessageBox::Critical);
  EXPECT_EQ(erreur.boutons, QStringList{"OK"});
  // Le texte d'une erreur s'affiche tel quel, même s'il ressemble à du HTML.
  EXPECT_EQ(erreur.format, Qt::PlainText);
  EXPECT_EQ(erreur.texte, "Fichier <VELTOR.CFG> & co introuvable.");
}

TEST(Boites, ConfirmationNEstVraieQuePourOui) {
  struct cas {
    const char* nom;
    reponse r;
    bool attendu;
  };
  const cas table[] = {{"Oui", reponse::premier_bouton, true},
                       {"Non", reponse::second_bouton, false},
                       {"Échap", reponse::echap, false},
                       {"case de fermeture", reponse::fermeture, false}};
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    bool oui = !c.attendu;
    const vue_de_la_boite vue = regarder_et_repondre(
        [&] { oui = boite_confirmation(nullptr, "Voulez-vous quitter VELTOR95  1.0"); }, c.r);
    EXPECT_EQ(oui, c.attendu);
    EXPECT_EQ(vue.titre, "Confirmation");
    EXPECT_EQ(vue.icone, QMessageBox::Question);
    EXPECT_EQ(vue.texte, "Voulez-vous quitter VELTOR95  1.0");
    EXPECT_EQ(vue.boutons, (QStringList{"&Oui", "&Non"}));
  }
}

}  // namespace
