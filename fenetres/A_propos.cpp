#include "A_propos.h"

#include <QFont>
#include <QScreen>

#include "plateforme/bouton_image.h"
#include "plateforme/image_etiree.h"
#include "ressources/images.h"

Tboite_a_propos::Tboite_a_propos(QWidget* proprietaire)
    : QDialog(proprietaire, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("boite_a_propos"));
  setFixedSize(taille_interieure);

  // « System » est une police grasse ; la graisse est donnée ici pour ne pas dépendre de
  // la substitution choisie au démarrage.
  QFont police(QStringLiteral("System"));
  police.setPixelSize(13);
  police.setBold(true);
  setFont(police);

  const qreal rapport = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;
  Image1 = new veltor::plateforme::image_etiree(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(0, 0, 300, 260);
  Image1->definir_image(veltor::ressources::image(QStringLiteral("a_propos"), rapport));
  Image1->setEnabled(false);

  // Entre l'image et le bouton, le fond de la fenêtre.
  BitBtn2 = new veltor::plateforme::bouton_image(
      QStringLiteral("&Fermer"), veltor::ressources::image(QStringLiteral("fermer"), rapport),
      this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(0, 280, 300, 25);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
}

void Tboite_a_propos::FormCreate() {
  setWindowTitle(QStringLiteral("VELTOR95  1.0 Pour Windows 95/98/NT"));
}
