// La boîte « A propos... » : l'image du titre du jeu, son nom et sa version. Une boîte neuve
// est créée à chaque clic, montrée par afficher_fenetre, qui la libère une fois fermée.
#pragma once

#include <QDialog>
#include <QSize>

class QPushButton;

namespace veltor::plateforme {
class image_etiree;
}

class Tboite_a_propos : public QDialog {
  Q_OBJECT
 public:
  static constexpr QSize taille_interieure{300, 306};

  explicit Tboite_a_propos(QWidget* proprietaire);

  veltor::plateforme::image_etiree* Image1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

 private:
  void FormCreate();
};
