#include "plateforme/boites.h"

#include <QMessageBox>
#include <QPushButton>

namespace veltor::plateforme {

namespace {

// Les textes du jeu séparent leurs lignes par un retour chariot, que QLabel ne coupe pas.
QString lignes_pour_qt(QString texte) {
  texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return texte;
}

// Une boîte en texte brut : un message d'erreur qui contient « < » ou « & » s'affiche tel quel.
void preparer(QMessageBox& boite, QMessageBox::Icon icone, const QString& titre,
              const QString& texte) {
  boite.setIcon(icone);
  boite.setWindowTitle(titre);
  boite.setTextFormat(Qt::PlainText);
  boite.setText(lignes_pour_qt(texte));
}

void boite_ok(QWidget* parent, QMessageBox::Icon icone, const QString& titre,
              const QString& texte) {
  QMessageBox boite(parent);
  preparer(boite, icone, titre, texte);
  // Un bouton à nous : sa légende est « OK » quelle que soit la traduction de Qt chargée.
  QPushButton* ok = boite.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  boite.setDefaultButton(ok);
  boite.setEscapeButton(ok);
  boite.exec();
}

}  // namespace

void boite_information(QWidget* parent, const QString& texte) {
  boite_ok(parent, QMessageBox::Information, QStringLiteral("Information"), texte);
}

bool boite_confirmation(QWidget* parent, const QString& texte) {
  QMessageBox boite(parent);
  preparer(boite, QMessageBox::Question, QStringLiteral("Confirmation"), texte);
  QPushButton* oui = boite.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* non = boite.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  boite.setDefaultButton(oui);
  // Échap et la case de fermeture valent « Non ».
  boite.setEscapeButton(non);
  boite.exec();
  return boite.clickedButton() == oui;
}

void boite_erreur(QWidget* parent, const QString& titre, const QString& texte) {
  boite_ok(parent, QMessageBox::Critical, titre, texte);
}

}  // namespace veltor::plateforme
