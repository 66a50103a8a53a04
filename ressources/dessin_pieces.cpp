// Les pièces : une boule brillante éclairée d'en haut à gauche sur des coins noirs, ou un
// carré plat cerné de noir.
#include <QPainterPath>
#include <QRadialGradient>

#include "ressources/dessins.h"

namespace veltor::ressources::dessins {

namespace {

QColor melange(QColor a, QColor b, double t) {
  return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                          static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                          static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t));
}

}  // namespace

void boule(QPainter& p, QColor corps) {
  p.fillRect(QRectF(0, 0, 28, 28), Qt::black);
  // Le corps garde sa couleur exacte sur une large bande, autour du centre ; plus clair
  // vers la lumière, plus sombre au bord opposé.
  QRadialGradient degrade(QPointF(12.5, 12.5), 17.5, QPointF(9, 9));
  degrade.setColorAt(0.0, melange(corps, Qt::white, 0.55));
  degrade.setColorAt(0.25, corps);
  degrade.setColorAt(0.62, corps);
  degrade.setColorAt(0.86, melange(corps, Qt::black, 0.45));
  degrade.setColorAt(1.0, melange(corps, Qt::black, 0.75));
  p.setPen(Qt::NoPen);
  p.setBrush(degrade);
  p.drawEllipse(QRectF(0.3, 0.3, 27.4, 27.4));
  // Un reflet de la lumière renvoyé par le bas, à droite.
  QRadialGradient rebond(QPointF(21, 22), 5);
  QColor lueur = melange(corps, Qt::white, 0.3);
  lueur.setAlphaF(0.35f);
  rebond.setColorAt(0, lueur);
  rebond.setColorAt(1, QColor(0, 0, 0, 0));
  p.setBrush(rebond);
  p.drawEllipse(QPointF(21, 22), 5, 5);
  // Deux petits reflets blancs.
  QRadialGradient reflet(QPointF(8.5, 8), 3.2);
  reflet.setColorAt(0, Qt::white);
  reflet.setColorAt(0.55, QColor(255, 255, 255, 230));
  reflet.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(reflet);
  p.drawEllipse(QPointF(8.5, 8), 3.2, 3.2);
  QRadialGradient petit(QPointF(13, 5.6), 1.5);
  petit.setColorAt(0, Qt::white);
  petit.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(petit);
  p.drawEllipse(QPointF(13, 5.6), 1.5, 1.5);
}

void carre(QPainter& p, QColor remplissage) {
  p.fillRect(QRectF(0, 0, 28, 28), Qt::black);
  p.fillRect(QRectF(1, 1, 26, 26), remplissage);
}

}  // namespace veltor::ressources::dessins
