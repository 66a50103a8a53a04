#include "plateforme/panneau.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace veltor::plateforme {

namespace {

const QColor blanc(255, 255, 255);
const QColor gris_fonce(128, 128, 128);

// Un biseau d'un pixel sur le bord de `r`, tracé comme les cadres classiques : la couleur
// du haut couvre la ligne du haut et la colonne de gauche, celle du bas la ligne du bas et
// la colonne de droite, coins en haut à droite et en bas à gauche compris.
void tracer_biseau(QPainter& p, const QRect& r, panneau::biseau b) {
  if (b == panneau::biseau::aucun || r.width() <= 0 || r.height() <= 0) return;
  const QColor& haut = b == panneau::biseau::releve ? blanc : gris_fonce;
  const QColor& bas = b == panneau::biseau::releve ? gris_fonce : blanc;
  p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), haut);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), haut);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bas);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bas);
}

}  // namespace

panneau::panneau(QWidget* parent) : QWidget(parent) {
  // Le panneau peint toute sa surface : Qt n'a pas à peindre le fond du parent dessous.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void panneau::definir_couleur(const QColor& couleur) {
  couleur_ = couleur;
  update();
}

void panneau::definir_biseaux(biseau exterieur, biseau interieur, int largeur_bordure) {
  exterieur_ = exterieur;
  interieur_ = interieur;
  largeur_bordure_ = std::max(0, largeur_bordure);
  update();
}

void panneau::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // Sans couleur donnée, la couleur des faces de boutons, comme la barre d'outils.
  p.fillRect(rect(), couleur_.isValid() ? couleur_ : palette().color(QPalette::Button));
  QRect r = rect();
  tracer_biseau(p, r, exterieur_);
  if (exterieur_ != biseau::aucun) r.adjust(1, 1, -1, -1);
  r.adjust(largeur_bordure_, largeur_bordure_, -largeur_bordure_, -largeur_bordure_);
  tracer_biseau(p, r, interieur_);
}

void panneau::mousePressEvent(QMouseEvent* e) {
  e->accept();
  emit appui();
}

}  // namespace veltor::plateforme
