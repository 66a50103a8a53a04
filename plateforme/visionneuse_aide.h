// La visionneuse de l'aide : une fenêtre non modale qui montre l'aide du jeu (du HTML en
// français) ouverte sur sa page de sommaire.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace veltor::plateforme {

class visionneuse_aide : public QWidget {
  Q_OBJECT
 public:
  // fichier : le chemin du fichier HTML de l'aide.
  visionneuse_aide(const QString& fichier, QWidget* proprietaire);
  // Montre la page de sommaire ; faux (et rien de montré) si le fichier ne peut être lu.
  bool montrer_sommaire();

 private:
  QString fichier_;
  QTextBrowser* navigateur_;
};

}  // namespace veltor::plateforme
