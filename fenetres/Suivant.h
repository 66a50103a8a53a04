// La fenêtre « niveau suivant » : BRAVO, et le bouton qui mène au niveau suivant.
#pragma once

#include <QDialog>

namespace veltor::plateforme {
class bouton_image;
}

class Tfenetre_suivant : public QDialog {
  Q_OBJECT
 public:
  explicit Tfenetre_suivant(QWidget* parent = nullptr);

  QPushButton* bouton_ok() const;

 private:
  veltor::plateforme::bouton_image* OKBtn_;
};
