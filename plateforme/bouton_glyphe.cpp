#include "plateforme/bouton_glyphe.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace veltor::plateforme {

QPixmap avec_transparence(const QPixmap& glyphe) {
  if (glyphe.isNull()) return glyphe;
  QImage image = glyphe.toImage().convertToFormat(QImage::Format_ARGB32);
  // La valeur entière du pixel, alpha compris : un glyphe déjà transparent en bas à gauche
  // ne doit pas perdre ses pixels noirs opaques.
  const QRgb transparente = image.pixel(0, image.height() - 1);
  for (int y = 0; y < image.height(); ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::replace(ligne, ligne + image.width(), transparente, qRgba(0, 0, 0, 0));
  }
  QPixmap resultat = QPixmap::fromImage(image);
  resultat.setDevicePixelRatio(glyphe.devicePixelRatio());
  return resultat;
}

namespace {

// La `rang`-ième des `nombre` images côte à côte du glyphe, au rapport de pixels du glyphe.
QPixmap decouper(const QPixmap& glyphe, int nombre, int rang) {
  const int largeur = glyphe.width() / nombre;
  QPixmap morceau = glyphe.copy(rang * largeur, 0, largeur, glyphe.height());
  morceau.setDevicePixelRatio(glyphe.devicePixelRatio());
  return morceau;
}

// Un cadre d'un pixel : `haut` en haut et à gauche, `bas` en bas et à droite.
void cadre(QPainter& p, const QRect& r, const QColor& haut, const QColor& bas) {
  p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), haut);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), haut);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bas);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bas);
}

}  // namespace

bouton_glyphe::bouton_glyphe(QWidget* parent) : QToolButton(parent) {
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  // Un bouton rapide ne prend jamais le focus du clavier.
  setFocusPolicy(Qt::NoFocus);
}

void bouton_glyphe::definir_glyphe(const QPixmap& glyphe, int nombre_d_images) {
  glyphe_ = glyphe;
  if (glyphe.isNull()) {
    setIcon(QIcon());
    return;
  }
  const int nombre = std::clamp(nombre_d_images, 1, 2);
  const QPixmap transparent = avec_transparence(glyphe);
  const QPixmap actif = decouper(transparent, nombre, 0);
  QIcon icone;
  icone.addPixmap(actif, QIcon::Normal);
  // Avec une seule image, QIcon fabrique lui-même l'aspect grisé.
  if (nombre == 2) icone.addPixmap(decouper(transparent, nombre, 1), QIcon::Disabled);
  setIconSize(actif.deviceIndependentSize().toSize());
  setIcon(icone);
  update();
}

void bouton_glyphe::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const QPalette& pal = palette();
  const bool enfonce = isDown() || isChecked();
  p.fillRect(r, pal.color(QPalette::Button));
  if (isChecked() && !isDown()) {
    // Un interrupteur baissé a la face tramée de blanc, comme les boutons rapides classiques.
    p.fillRect(r.adjusted(2, 2, -2, -2), QBrush(Qt::white, Qt::Dense4Pattern));
  }
  const QColor blanc(255, 255, 255), noir(0, 0, 0), gris(128, 128, 128);
  if (autoRaise()) {
    // Un bouton plat : un liseré d'un pixel seulement sous la souris ou enfoncé.
    if (enfonce) {
      cadre(p, r, gris, blanc);
    } else if (isEnabled() && underMouse()) {
      cadre(p, r, blanc, gris);
    }
  } else if (enfonce) {
    cadre(p, r, noir, blanc);
    cadre(p, r.adjusted(1, 1, -1, -1), gris, pal.color(QPalette::Button));
  } else {
    cadre(p, r, blanc, noir);
    cadre(p, r.adjusted(1, 1, -1, -1), pal.color(QPalette::Button), gris);
  }

  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QPixmap image =
      icon().isNull() ? QPixmap() : icon().pixmap(iconSize(), devicePixelRatio(), mode);
  const QSize taille_image = image.isNull() ? QSize(0, 0) : image.deviceIndependentSize().toSize();
  const QString legende = text();
  const int hauteur_legende = legende.isEmpty() ? 0 : fontMetrics().height();
  const int decalage = enfonce ? 1 : 0;
  const int haut = (r.height() - taille_image.height() - hauteur_legende) / 2 + decalage;
  if (!image.isNull()) p.drawPixmap((r.width() - taille_image.width()) / 2 + decalage, haut, image);
  if (!legende.isEmpty()) {
    const QRect zone(decalage, haut + taille_image.height(), r.width(), hauteur_legende);
    const int drapeaux = Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;
    p.setFont(font());
    if (isEnabled()) {
      p.setPen(pal.color(QPalette::ButtonText));
      p.drawText(zone, drapeaux, legende);
    } else {
      // Légende grisée en relief : blanc décalé d'un pixel, puis gris foncé.
      p.setPen(blanc);
      p.drawText(zone.translated(1, 1), drapeaux, legende);
      p.setPen(gris);
      p.drawText(zone, drapeaux, legende);
    }
  }
}

}  // namespace veltor::plateforme
