#include "afficher_fenetre.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "plateforme/boites.h"

namespace veltor::fenetres {

void centrer(QWidget* fenetre) {
  QScreen* ecran = QGuiApplication::primaryScreen();
  if (ecran == nullptr) return;
  const QRect dispo = ecran->availableGeometry();
  const QSize taille = fenetre->frameGeometry().size();
  fenetre->move(dispo.x() + (dispo.width() - taille.width()) / 2,
                dispo.y() + (dispo.height() - taille.height()) / 2);
}

void afficher_fenetre(QDialog* fenetre, QWidget* parent) {
  QCoreApplication::processEvents();
  if (fenetre == nullptr) {
    // Les trois lignes du message, chacune à la ligne.
    plateforme::boite_information(parent,
                                  QStringLiteral("Création de fenêtre IMPOSSIBLE\n"
                                                 "fermez des fenêtres pour liberer\n"
                                                 "de la mémoire et recommencez"));
    return;
  }
  centrer(fenetre);
  fenetre->exec();
  delete fenetre;
}

}  // namespace veltor::fenetres
