#include "fin.h"

#include <QLabel>
#include <QScreen>

#include "plateforme/bouton_image.h"
#include "plateforme/image_etiree.h"
#include "ressources/images.h"

Tfenetre_fin::Tfenetre_fin(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("fenetre_fin"));
  setModal(true);
  // Hors tout 420 × 261 : le cadre d'une fenêtre outil (4 pixels) et sa petite barre de titre.
  resize(412, 238);
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  setFont(f);

  const qreal rapport = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;
  auto* image = new veltor::plateforme::image_etiree(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(0, 0, 412, 208);
  image->definir_image(veltor::ressources::image(QStringLiteral("fin"), rapport));
  image->setEnabled(false);

  auto* texte = new QLabel(this);
  texte->setObjectName(QStringLiteral("Label2"));
  texte->setGeometry(102, 48, 224, 106);
  texte->setText(QStringLiteral(
      "Fin du jeu... Vous avez accompli les 80 niveaux d'VELTOR ! Félicitations !"));
  texte->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  texte->setWordWrap(true);
  texte->setAttribute(Qt::WA_TranslucentBackground);
  QFont ft(QStringLiteral("Times New Roman"));
  ft.setPixelSize(24);
  ft.setBold(true);
  texte->setFont(ft);
  QPalette p = texte->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  texte->setPalette(p);

  auto* bouton = new veltor::plateforme::bouton_image(
      QStringLiteral("&Quitter VELTOR"), veltor::ressources::image(QStringLiteral("fermer"), rapport),
      this);
  bouton->setObjectName(QStringLiteral("BitBtn1"));
  bouton->setGeometry(0, 208, 412, 25);
  connect(bouton, &QPushButton::clicked, this, &QDialog::accept);
  FormCreate();
}

void Tfenetre_fin::FormCreate() { setWindowTitle(QStringLiteral("Fin du jeu...")); }
