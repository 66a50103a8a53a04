#include "Suivant.h"

#include <QScreen>

#include "plateforme/bouton_image.h"
#include "plateforme/image_etiree.h"
#include "ressources/images.h"

Tfenetre_suivant::Tfenetre_suivant(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("fenetre_suivant"));
  setModal(true);
  setFixedSize(164, 132);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(pal);
  setAutoFillBackground(true);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  f.setBold(true);
  setFont(f);

  const qreal rapport = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;
  auto* image = new veltor::plateforme::image_etiree(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(0, 0, 164, 100);
  image->definir_image(veltor::ressources::image(QStringLiteral("bravo"), rapport));
  image->setEnabled(false);

  OKBtn_ = new veltor::plateforme::bouton_image(
      QStringLiteral("Niveau suivant"), veltor::ressources::image(QStringLiteral("ok"), rapport),
      this);
  OKBtn_->setObjectName(QStringLiteral("OKBtn"));
  OKBtn_->setGeometry(0, 104, 164, 27);
  OKBtn_->setDefault(true);
  OKBtn_->setAutoDefault(true);
  connect(OKBtn_, &QPushButton::clicked, this, &QDialog::accept);
  OKBtn_->setFocus();
}

QPushButton* Tfenetre_suivant::bouton_ok() const { return OKBtn_; }
