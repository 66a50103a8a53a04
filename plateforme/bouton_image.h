// Un bouton à image standard : l'image à deux pixels du bord gauche, la légende centrée dans
// le reste du bouton.
#pragma once

#include <QPixmap>
#include <QPushButton>

namespace veltor::plateforme {

class bouton_image : public QPushButton {
  Q_OBJECT
 public:
  bouton_image(const QString& legende, const QPixmap& image, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QPixmap image_;
};

}  // namespace veltor::plateforme
