// Un bouton rapide : un glyphe (une image, ou deux côte à côte : actif puis grisé) au-dessus
// d'une légende facultative, une bulle d'aide, bascule s'il le faut. La couleur du pixel en
// bas à gauche du glyphe est rendue transparente.
#pragma once

#include <QPixmap>
#include <QToolButton>

namespace veltor::plateforme {

class bouton_glyphe : public QToolButton {
  Q_OBJECT
 public:
  explicit bouton_glyphe(QWidget* parent = nullptr);

  // nombre_d_images : 1 (le même glyphe sert grisé, Qt le grise) ou 2 (actif | grisé).
  void definir_glyphe(const QPixmap& glyphe, int nombre_d_images = 1);
  const QPixmap& glyphe() const { return glyphe_; }

 protected:
  // Dessiné comme un bouton rapide classique : face, cadre relevé ou enfoncé, glyphe centré,
  // la légende juste dessous sans espace ; sans légende, le glyphe seul au centre.
  void paintEvent(QPaintEvent* e) override;

 private:
  QPixmap glyphe_;
};

// Le glyphe avec la couleur de son pixel en bas à gauche rendue transparente.
QPixmap avec_transparence(const QPixmap& glyphe);

}  // namespace veltor::plateforme
