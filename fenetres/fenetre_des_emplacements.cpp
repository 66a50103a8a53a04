#include "fenetre_des_emplacements.h"

#include <QFont>
#include <QPalette>
#include <QScreen>
#include <QShowEvent>

#include "afficher_fenetre.h"
#include "plateforme/boites.h"
#include "plateforme/bouton_glyphe.h"
#include "plateforme/bouton_image.h"
#include "ressources/images.h"

namespace {

const char* const propriete_tag = "Tag";

QString nom_du_bouton(int k) { return QStringLiteral("speed_bouton_sauver_%1").arg(k + 1); }

}  // namespace

Tfenetre_des_emplacements::Tfenetre_des_emplacements(
    veltor::dialogue_des_parties::sorte sorte, const QString& nom, const QString& legende,
    const QString& image_des_emplacements, const std::filesystem::path& repertoire_de_depart,
    veltor::etat_du_jeu& etat, veltor::requetes& r, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      logique_(sorte, repertoire_de_depart),
      etat_(etat),
      requetes_(r) {
  setObjectName(nom);
  setWindowTitle(legende);
  setModal(true);
  resize(taille_interieure);

  // Des pixels, pas des points : la disposition ne suit pas les réglages du bureau.
  QFont police(QStringLiteral("MS Sans Serif"));
  police.setPixelSize(11);
  police.setBold(true);
  setFont(police);
  QPalette palette_noire = palette();
  palette_noire.setColor(QPalette::WindowText, Qt::black);
  palette_noire.setColor(QPalette::ButtonText, Qt::black);
  setPalette(palette_noire);

  const qreal rapport = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;
  const QPixmap disquette = veltor::ressources::image(image_des_emplacements, rapport);
  for (int k = 0; k < veltor::nombre_d_emplacements; ++k) {
    auto* bouton = new veltor::plateforme::bouton_glyphe(this);
    bouton->setObjectName(nom_du_bouton(k));
    bouton->setProperty(propriete_tag, k);
    bouton->setGeometry(pas_des_emplacements * k, 0, cote_d_un_emplacement, cote_d_un_emplacement);
    bouton->definir_glyphe(disquette);
    bouton->setIconSize(QSize(22, 22));
    bouton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bouton->setAutoRaise(true);
    bouton->setFocusPolicy(Qt::NoFocus);
    bouton->setText(QStringLiteral("0"));
    // Les six boutons partagent le même gestionnaire, qui les distingue par leur Tag.
    connect(bouton, &QToolButton::clicked, this, [this, bouton] {
      speed_bouton_sauver_1Click(bouton->property(propriete_tag).toInt());
    });
  }

  BitBtn1 = new veltor::plateforme::bouton_image(
      QStringLiteral("&Fermer"), veltor::ressources::image(QStringLiteral("fermer"), rapport),
      this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(0, 49, 295, 25);
  BitBtn1->setFocusPolicy(Qt::StrongFocus);
  connect(BitBtn1, &QPushButton::clicked, this, &Tfenetre_des_emplacements::fermer);

  FormCreate();
}

void Tfenetre_des_emplacements::FormCreate() {
  for (int k = 0; k < veltor::nombre_d_emplacements; ++k)
    boutons_emplacements[k] = findChild<veltor::plateforme::bouton_glyphe*>(nom_du_bouton(k));
}

void Tfenetre_des_emplacements::centrer() { veltor::fenetres::centrer(this); }

void Tfenetre_des_emplacements::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // Une fenêtre rendue par le gestionnaire de fenêtres n'est pas une nouvelle montrée.
  if (e->spontaneous()) return;
  centrer();
  FormShow();
}

void Tfenetre_des_emplacements::FormShow() {
  if (const veltor::resultat_es erreur = logique_.montrer()) montrer_erreur(*erreur);
  for (int k = 0; k < veltor::nombre_d_emplacements; ++k) {
    boutons_emplacements[k]->setText(QString::fromStdString(logique_.legende(k)));
    boutons_emplacements[k]->setEnabled(logique_.actif(k));
  }
  BitBtn1->setFocus();
}

void Tfenetre_des_emplacements::speed_bouton_sauver_1Click(int k) {
  if (const veltor::resultat_es erreur = logique_.cliquer(k, etat_, requetes_)) {
    montrer_erreur(*erreur);
    return;
  }
  accept();
}

void Tfenetre_des_emplacements::montrer_erreur(const veltor::erreur_es& erreur) {
  // La boîte porte le titre de l'application ; le texte de l'erreur prend son point ici.
  veltor::plateforme::boite_erreur(this, QStringLiteral("VELTOR95"),
                                   QString::fromStdString(erreur.texte) + QLatin1Char('.'));
}
