// Un contrôle image : il montre sa propre copie d'une image, étirée sur ses bornes ;
// désactivé, il laisse passer les appuis de la souris au panneau qui est dessous.
#pragma once

#include <QPixmap>
#include <QWidget>

namespace veltor::plateforme {

class image_etiree : public QWidget {
  Q_OBJECT
 public:
  explicit image_etiree(QWidget* parent = nullptr);

  // Copie le contenu de l'image (pas de partage avec la source).
  void definir_image(const QPixmap& image);
  const QPixmap& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  QPixmap image_;
};

}  // namespace veltor::plateforme
