// Un panneau à biseaux d'un pixel, à l'ancienne : relevé (blanc en haut à gauche, gris foncé
// en bas à droite) ou abaissé (l'inverse), avec une bordure entre le biseau extérieur et
// le biseau intérieur.
#pragma once

#include <QColor>
#include <QWidget>

namespace veltor::plateforme {

class panneau : public QWidget {
  Q_OBJECT
 public:
  enum class biseau { aucun, releve, abaisse };

  explicit panneau(QWidget* parent = nullptr);

  void definir_couleur(const QColor& couleur);
  void definir_biseaux(biseau exterieur, biseau interieur, int largeur_bordure = 0);

 signals:
  // Un appui de n'importe quel bouton de la souris, n'importe où sur le panneau.
  void appui();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QColor couleur_;
  biseau exterieur_ = biseau::aucun;
  biseau interieur_ = biseau::aucun;
  int largeur_bordure_ = 0;
};

}  // namespace veltor::plateforme
