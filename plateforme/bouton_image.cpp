#include "bouton_image.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "bouton_glyphe.h"

namespace veltor::plateforme {

bouton_image::bouton_image(const QString& legende, const QPixmap& image, QWidget* parent)
    : QPushButton(legende, parent), image_(avec_transparence(image)) {}

void bouton_image::paintEvent(QPaintEvent*) {
  QStylePainter peintre(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  peintre.drawControl(QStyle::CE_PushButtonBevel, option);

  const qreal rapport = image_.devicePixelRatio();
  const QSize taille_image = (QSizeF(image_.size()) / rapport).toSize();
  const int decalage = isDown() ? 1 : 0;
  const int x_image = 2 + decalage;
  const int y_image = (height() - taille_image.height()) / 2 + decalage;
  if (!image_.isNull()) peintre.drawPixmap(x_image, y_image, image_);

  QRect reste = rect();
  reste.setLeft(x_image + taille_image.width());
  reste.translate(decalage, decalage);
  option.rect = reste;
  peintre.drawItemText(reste, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                       text(), QPalette::ButtonText);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(3, 3, -3, -3);
    peintre.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace veltor::plateforme
