#include "plateforme/image_etiree.h"

#include <QEvent>
#include <QPainter>

namespace veltor::plateforme {

image_etiree::image_etiree(QWidget* parent) : QWidget(parent) {}

void image_etiree::definir_image(const QPixmap& image) {
  // QPixmap est partagé implicitement : la copie diverge de la source dès que l'une change.
  image_ = image;
  // Une image sans transparence couvre tout le contrôle : Qt peut alors se dispenser de
  // repeindre le panneau dessous, ce qui compte quand l'animation repeint trente images.
  const bool opaque = !image_.isNull() && !image_.hasAlphaChannel();
  setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  update();
}

void image_etiree::paintEvent(QPaintEvent*) {
  if (image_.isNull() || width() <= 0 || height() <= 0) return;
  QPainter p(this);
  // Pas de lissage : à sa taille (28 × 28 au rapport de l'écran) l'image est recopiée pixel
  // pour pixel, et réduite par l'animation elle reste nette, au plus proche voisin, comme
  // l'étirement d'origine.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawPixmap(rect(), image_);
}

void image_etiree::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange)
    setAttribute(Qt::WA_TransparentForMouseEvents, !isEnabled());
  QWidget::changeEvent(e);
}

}  // namespace veltor::plateforme
