#include "Demarage.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

#include "A_propos.h"
#include "afficher_fenetre.h"
#include "demarrage_application.h"
#include "fin.h"
#include "ouvrir.h"
#include "sauver.h"
#include "jeu/regles.h"
#include "plateforme/bouton_glyphe.h"
#include "plateforme/boites.h"
#include "plateforme/donnees.h"
#include "plateforme/image_etiree.h"
#include "plateforme/lecteur_son.h"
#include "plateforme/panneau.h"
#include "plateforme/polices.h"
#include "plateforme/visionneuse_aide.h"
#include "ressources/images.h"
#include "Suivant.h"

using veltor::lieu;
using veltor::plateforme::bouton_glyphe;
using veltor::plateforme::image_etiree;
using veltor::plateforme::panneau;

namespace {

constexpr QColor argent{192, 192, 192};
constexpr QColor marron{128, 0, 0};
constexpr QColor noir{0, 0, 0};

QFont police(const char* famille, int pixels) {
  return veltor::plateforme::police_du_jeu(QString::fromLatin1(famille), pixels);
}

}  // namespace

Tfenetre_principale::Tfenetre_principale(std::filesystem::path repertoire_de_depart,
                                         std::chrono::nanoseconds trame, QWidget* parent)
    : QWidget(parent),
      repertoire_de_depart_(std::move(repertoire_de_depart)),
      moteur_(trame) {
  setObjectName(QStringLiteral("fenetre_principale"));
  FormCreate();
}

Tfenetre_principale::~Tfenetre_principale() = default;

void Tfenetre_principale::definir_fenetres(Tfenetre_suivant* suivant,
                                           Tfenetre_ouvrir_une_partie* ouvrir,
                                           Tfenetre_sauver_la_partie_en_cours* sauver,
                                           Tfenetre_fin* fin) {
  fenetre_suivant_ = suivant;
  fenetre_ouvrir_ = ouvrir;
  fenetre_sauver_ = sauver;
  fenetre_fin_ = fin;
}

void Tfenetre_principale::ouvrir_son(veltor::plateforme::lecteur_son& lecteur, const QString& nom) {
  const QString chemin = veltor::plateforme::chercher_donnee(
      QString::fromStdString(repertoire_de_depart_.string()), nom);
  if (auto erreur = lecteur.ouvrir(chemin)) {
    // Le son qui n'a pu être ouvert est ensuite passé sous silence.
    QString texte = nom + QStringLiteral(" : ") + *erreur;
    if (!texte.endsWith(QLatin1Char('.'))) texte += QLatin1Char('.');
    veltor::plateforme::boite_erreur(this, QStringLiteral("VELTOR95"), texte);
  }
}

void Tfenetre_principale::FormCreate() {
  rapport_ = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;

  MediaPlayer1_ = std::make_unique<veltor::plateforme::lecteur_son>();
  MediaPlayer2_ = std::make_unique<veltor::plateforme::lecteur_son>();
  ouvrir_son(*MediaPlayer1_, QStringLiteral("A.wav"));
  ouvrir_son(*MediaPlayer2_, QStringLiteral("B.wav"));

  setWindowTitle(QString::fromUtf8(legende_principale));
  creer_les_controles();
  veltor::demarrer_partie(etat_, *this);
}

void Tfenetre_principale::creer_les_controles() {
  namespace r = veltor::ressources;
  setFixedSize(592, 279);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, argent);
  // La face des boutons et de la barre d'outils : l'argent des boutons de l'époque.
  pal.setColor(QPalette::Button, argent);
  setPalette(pal);
  setFont(police("System", 13));

  auto* fond = new image_etiree(this);
  fond->setObjectName(QStringLiteral("Image16"));
  fond->setGeometry(0, 0, 500, 280);
  fond->definir_image(r::image(QStringLiteral("Image16"), rapport_));
  fond->setEnabled(false);

  texte_numero_niveau_ = new QLabel(QStringLiteral("1"), this);
  texte_numero_niveau_->setObjectName(QStringLiteral("texte_numero_niveau"));
  texte_numero_niveau_->setGeometry(224, 10, 45, 29);
  texte_numero_niveau_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  texte_numero_niveau_->setFont(police("Times New Roman", 27));
  texte_numero_niveau_->setAttribute(Qt::WA_TranslucentBackground);
  texte_numero_niveau_->setAttribute(Qt::WA_TransparentForMouseEvents);
  {
    QPalette p = texte_numero_niveau_->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    texte_numero_niveau_->setPalette(p);
  }

  const QPixmap glyphe_v = r::image(QStringLiteral("bouton_v"), rapport_);
  const QPixmap glyphe_h = r::image(QStringLiteral("bouton_h"), rapport_);
  for (int b = 1; b <= 3; ++b) {
    auto* porte = new panneau(this);
    porte->setObjectName(QStringLiteral("porte%1").arg(b));
    porte->setGeometry(8 + 164 * (b - 1), 88, 156, 185);
    porte->definir_couleur(marron);
    porte->definir_biseaux(panneau::biseau::releve, panneau::biseau::abaisse, 0);
    portes_[b - 1] = porte;

    auto* panier = new panneau(porte);
    panier->setObjectName(QStringLiteral("panier%1").arg(b - 1));
    panier->setProperty("tag", b);
    panier->setGeometry(4, 4, 147, 147);
    panier->definir_couleur(noir);
    panier->definir_biseaux(panneau::biseau::releve, panneau::biseau::aucun, 0);
    connect(panier, &panneau::appui, this, [this, b] { panier0MouseDown(b); });

    for (int rangee = 1; rangee <= 5; ++rangee) {
      for (int colonne = 1; colonne <= 5; ++colonne) {
        auto* image = new image_etiree(panier);
        image->setObjectName(QStringLiteral("a%1%2%3").arg(b).arg(rangee).arg(colonne));
        const QRect bornes(3 + 28 * (colonne - 1), 2 + 28 * (rangee - 1), 28, 28);
        image->setGeometry(bornes);
        image->setProperty("bornes_dessinees", bornes);
        image->setEnabled(false);
        images_des_cases_[b - 1][rangee - 1][colonne - 1] = image;
      }
    }

    auto* v = new bouton_glyphe(porte);
    v->setObjectName(QStringLiteral("bouton_v%1").arg(b));
    v->setProperty("tag", b);
    v->setGeometry(4, 154, 72, 26);
    v->definir_glyphe(glyphe_v, 2);
    connect(v, &QToolButton::clicked, this, [this, b] { bouton_v1Click(b); });
    auto* h = new bouton_glyphe(porte);
    h->setObjectName(QStringLiteral("bouton_h%1").arg(b));
    h->setProperty("tag", b);
    h->setGeometry(78, 154, 72, 26);
    h->definir_glyphe(glyphe_h, 2);
    connect(h, &QToolButton::clicked, this, [this, b] { bouton_h1Click(b); });
    boutons_de_retournement_[b - 1][0] = v;
    boutons_de_retournement_[b - 1][1] = h;
  }

  auto* panel6 = new panneau(this);
  panel6->setObjectName(QStringLiteral("Panel6"));
  panel6->setGeometry(171, 44, 157, 39);
  panel6->definir_couleur(noir);
  panel6->definir_biseaux(panneau::biseau::releve, panneau::biseau::releve, 3);
  for (int k = 1; k <= 5; ++k) {
    auto* image = new image_etiree(panel6);
    image->setObjectName(QStringLiteral("image_du_haut%1").arg(k));
    const QRect bornes(8 + 28 * (k - 1), 5, 28, 28);
    image->setGeometry(bornes);
    image->setProperty("bornes_dessinees", bornes);
    image->setEnabled(false);
    images_du_haut_[k - 1] = image;
  }

  auto* barre = new panneau(this);
  barre->setObjectName(QStringLiteral("Panel2"));
  barre->setGeometry(501, 0, 91, 279);
  barre->definir_couleur(argent);
  barre->definir_biseaux(panneau::biseau::releve, panneau::biseau::aucun, 0);

  auto outil = [&](const char* nom, int x, int y, const char* bulle, const char* glyphe) {
    auto* bouton = new bouton_glyphe(barre);
    bouton->setObjectName(QString::fromLatin1(nom));
    bouton->setGeometry(x, y, 41, 55);
    bouton->setToolTip(QString::fromUtf8(bulle));
    bouton->definir_glyphe(r::image(QString::fromLatin1(glyphe), rapport_));
    return bouton;
  };
  auto* ouvrir = outil("speed_bouton_ouvrir_une_partie", 5, 4, "Ouvrir un niveau", "speed_bouton_ouvrir_une_partie");
  auto* sauver = outil("speed_bouton_sauver_la_partie_en_cours", 45, 4, "Enregistrer le niveau actuel",
                       "speed_bouton_sauver_la_partie_en_cours");
  auto* arriere = outil("speed_bouton_revenir_en_arriere", 5, 58, "Revenir un coup en arrière",
                        "speed_bouton_revenir_en_arriere");
  auto* recommencer = outil("speed_bouton_recommencer_le_niveau_en_cours", 45, 58,
                            "Recommencer le niveau en cours", "speed_bouton_recommencer_le_niveau_en_cours");
  speed_bouton_mode_graphique_simplifie_ = outil("speed_bouton_mode_graphique_simplifie", 5, 112,
                                                 "Mode Graphique/Simplifié", "speed_bouton_mode_graphique");
  speed_bouton_son_on_off_ = outil("speed_bouton_son_on_off", 45, 112, "Son OUI/NON", "son_on");
  auto* aide = outil("speed_bouton_aide", 5, 166, "Aide", "speed_bouton_aide");
  auto* a_propos = outil("speed_bouton_a_propos", 45, 166, "A propos...", "speed_bouton_a_propos");
  speed_bouton_vitesse_du_jeu_ = outil("speed_bouton_vitesse_du_jeu", 5, 220, "Vitesse du jeu",
                                       "speed_bouton_vitesse_du_jeu");
  auto* quitter = outil("speed_bouton_quitter", 45, 220, "Quitter le jeu", "speed_bouton_quitter");

  speed_bouton_mode_graphique_simplifie_->setCheckable(true);
  speed_bouton_son_on_off_->setCheckable(true);
  speed_bouton_vitesse_du_jeu_->setFont(police("Times New Roman", 21));
  speed_bouton_vitesse_du_jeu_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  speed_bouton_vitesse_du_jeu_->setText(QStringLiteral("6"));

  connect(ouvrir, &QToolButton::clicked, this, &Tfenetre_principale::speed_bouton_ouvrir_une_partieClick);
  connect(sauver, &QToolButton::clicked, this,
          &Tfenetre_principale::speed_bouton_sauver_la_partie_en_coursClick);
  connect(arriere, &QToolButton::clicked, this, &Tfenetre_principale::speed_bouton_revenir_en_arriereClick);
  connect(recommencer, &QToolButton::clicked, this,
          &Tfenetre_principale::speed_bouton_recommencer_le_niveau_en_coursClick);
  connect(speed_bouton_mode_graphique_simplifie_, &QToolButton::clicked, this,
          &Tfenetre_principale::speed_bouton_mode_graphique_simplifieClick);
  connect(speed_bouton_son_on_off_, &QToolButton::clicked, this,
          &Tfenetre_principale::speed_bouton_son_on_offClick);
  connect(aide, &QToolButton::clicked, this, &Tfenetre_principale::speed_bouton_aideClick);
  connect(a_propos, &QToolButton::clicked, this, &Tfenetre_principale::speed_bouton_a_proposClick);
  connect(speed_bouton_vitesse_du_jeu_, &QToolButton::clicked, this,
          &Tfenetre_principale::speed_bouton_vitesse_du_jeuClick);
  connect(quitter, &QToolButton::clicked, this, &Tfenetre_principale::speed_bouton_quitterClick);

  son_on_ = r::image(QStringLiteral("son_on"), rapport_);
  son_off_ = r::image(QStringLiteral("son_off"), rapport_);
  speed_bouton_mode_graphique_ = r::image(QStringLiteral("speed_bouton_mode_graphique"), rapport_);
  speed_bouton_mode_simplifie_ = r::image(QStringLiteral("speed_bouton_mode_simplifie"), rapport_);

  // Les deux jeux d'images, par numéro de pièce.
  images_des_pieces_[0][0] = r::image(QStringLiteral("Image0a"), rapport_);
  images_des_pieces_[1][0] = r::image(QStringLiteral("image0"), rapport_);
  for (int v = 1; v <= 15; ++v) {
    images_des_pieces_[0][v] = r::image(QStringLiteral("image%1a").arg(v), rapport_);
    images_des_pieces_[1][v] = r::image(QStringLiteral("image%1").arg(v), rapport_);
  }
}

image_etiree* Tfenetre_principale::image_de(lieu l) const {
  if (l.est_du_haut()) return images_du_haut_[l.colonne - 1];
  return images_des_cases_[l.panier - 1][l.rangee - 1][l.colonne - 1];
}

bool Tfenetre_principale::son_coupe() const { return speed_bouton_son_on_off_->isChecked(); }

void Tfenetre_principale::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void Tfenetre_principale::FormShow() { mettre_a_jour_boutons(); }

void Tfenetre_principale::mettre_a_jour_boutons() {
  speed_bouton_son_on_off_->definir_glyphe(son_coupe() ? son_off_ : son_on_);
  speed_bouton_mode_graphique_simplifie_->definir_glyphe(
      speed_bouton_mode_graphique_simplifie_->isChecked() ? speed_bouton_mode_simplifie_
                                                          : speed_bouton_mode_graphique_);
  speed_bouton_vitesse_du_jeu_->setText(QString::number(veltor::chiffre_de_vitesse(etat_)));
}

// --- Les clics ---------------------------------------------------------------------------

void Tfenetre_principale::panier0MouseDown(int panier) {
  if (partie_finie_) return;
  veltor::choisir_panier(etat_, *this, panier);
}

void Tfenetre_principale::bouton_v1Click(int panier) {
  if (partie_finie_) return;
  veltor::retourner_vertical(etat_, *this, panier);
}

void Tfenetre_principale::bouton_h1Click(int panier) {
  if (partie_finie_) return;
  veltor::retourner_horizontal(etat_, *this, panier);
}

void Tfenetre_principale::speed_bouton_revenir_en_arriereClick() {
  if (partie_finie_) return;
  veltor::revenir_en_arriere(etat_, historique_, *this);
}

void Tfenetre_principale::speed_bouton_recommencer_le_niveau_en_coursClick() {
  if (partie_finie_) return;
  veltor::recommencer_le_niveau(etat_, *this);
}

void Tfenetre_principale::speed_bouton_mode_graphique_simplifieClick() {
  if (partie_finie_) return;
  veltor::changer_mode_affichage(etat_, *this, speed_bouton_mode_graphique_simplifie_->isChecked());
  mettre_a_jour_boutons();
}

void Tfenetre_principale::speed_bouton_son_on_offClick() { mettre_a_jour_boutons(); }

void Tfenetre_principale::speed_bouton_vitesse_du_jeuClick() {
  veltor::changer_vitesse(etat_);
  speed_bouton_vitesse_du_jeu_->setText(QString::number(veltor::chiffre_de_vitesse(etat_)));
}

void Tfenetre_principale::speed_bouton_quitterClick() { close(); }

void Tfenetre_principale::closeEvent(QCloseEvent* e) {
  if (partie_finie_ || FormCloseQuery()) {
    e->accept();
  } else {
    e->ignore();
  }
}

bool Tfenetre_principale::FormCloseQuery() {
  return veltor::plateforme::boite_confirmation(
      this, QStringLiteral("Voulez-vous quitter ") + QString::fromUtf8(legende_principale));
}

// --- Les requêtes des règles -----------------------------------------------------------

void Tfenetre_principale::memoriser_historique() {
  if (observateur_) observateur_->memoriser_historique();
  veltor::memoriser_historique(etat_, historique_);
}

void Tfenetre_principale::vider_liste_des_deplacements() {
  if (observateur_) observateur_->vider_liste_des_deplacements();
  moteur_.vider_liste_des_deplacements();
}

void Tfenetre_principale::ajouter_deplacement(lieu premiere_image, lieu seconde_image) {
  if (observateur_) observateur_->ajouter_deplacement(premiere_image, seconde_image);
  moteur_.ajouter_deplacement(image_de(premiere_image), image_de(seconde_image));
}

void Tfenetre_principale::animer_deplacements() {
  if (observateur_) observateur_->animer_deplacements();
  moteur_.animer_deplacements(etat_.nombre_de_pas);
}

void Tfenetre_principale::repeindre_en_attente() {
  if (observateur_) observateur_->repeindre_en_attente();
  // Le dessin que la fenêtre attend encore est fait tout de suite.
  QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
}

void Tfenetre_principale::effacer_cases() {
  if (observateur_) observateur_->effacer_cases();
  veltor::rayer_cases_repetees(etat_);
  const int n = etat_.nombre_de_pas;
  auto active = [this](int i) { return etat_.cases_a_effacer[i].panier != 0; };
  auto image_de_l_entree = [this](int i) {
    const auto& c = etat_.cases_a_effacer[i];
    return images_des_cases_[c.panier - 1][c.rangee - 1][c.colonne - 1];
  };
  auto repeindre_les_entrees = [&] {
    for (int i = 1; i <= etat_.nombre_a_effacer; ++i) {
      if (active(i)) veltor::fenetres::repeindre_la_place_de(image_de_l_entree(i));
    }
  };

  QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
  for (int pas = 0; pas < n; ++pas) {
    for (int i = 1; i <= etat_.nombre_a_effacer; ++i) {
      if (!active(i)) continue;
      veltor::fenetres::retrecir(image_de_l_entree(i));
    }
    moteur_.rythme().avant_l_etape();
    repeindre_les_entrees();
    if (moteur_.apres_chaque_etape) moteur_.apres_chaque_etape();
  }
  for (int i = 1; i <= etat_.nombre_a_effacer; ++i) {
    if (!active(i)) continue;
    const auto& c = etat_.cases_a_effacer[i];
    image_etiree* image = image_de_l_entree(i);
    QRect g = image->geometry();
    g.setRect(g.left() - n, g.top() - n, g.width() + 2 * n, g.height() + 2 * n);
    image->setGeometry(g);
    image->definir_image(images_des_pieces_[etat_.mode_affichage - 1][0]);
    etat_.cellule(c.panier, c.rangee, c.colonne) = 0;
  }
  if (n > 0) moteur_.rythme().avant_l_etape();  // la dernière étape rétrécie reste une trame
  repeindre_les_entrees();
  if (!son_coupe()) {
    MediaPlayer1_->arreter();
    MediaPlayer1_->jouer();
  }
}

void Tfenetre_principale::redessiner_plateau() {
  if (observateur_) observateur_->redessiner_plateau();
  texte_numero_niveau_->setText(QString::number(etat_.numero_niveau));
  if (isVisible()) repaint(texte_numero_niveau_->geometry());

  const auto& jeu_d_images = images_des_pieces_[etat_.mode_affichage - 1];
  for (int b = 1; b <= 3; ++b) {
    for (int c = 1; c <= 5; ++c) {
      for (int r = 1; r <= 5; ++r) {
        images_des_cases_[b - 1][r - 1][c - 1]->definir_image(jeu_d_images[etat_.cellule(b, r, c)]);
      }
    }
  }
  for (int k = 1; k <= 5; ++k) images_du_haut_[k - 1]->definir_image(jeu_d_images[etat_.haut(k)]);

  for (int b = 1; b <= 3; ++b) {
    for (int sens = 0; sens < 2; ++sens) {
      const veltor::octet permis = etat_.plan.retournements_permis[2 * (b - 1) + sens];
      if (permis == 1) boutons_de_retournement_[b - 1][sens]->setEnabled(true);
      if (permis == 0) boutons_de_retournement_[b - 1][sens]->setEnabled(false);
    }
  }
  for (int b = 1; b <= 3; ++b) {
    const veltor::octet visible = etat_.plan.portes_visibles[b - 1];
    if (visible == 1) portes_[b - 1]->setVisible(true);
    if (visible == 0) portes_[b - 1]->setVisible(false);
  }
}

void Tfenetre_principale::jouer_son_niveau() {
  if (observateur_) observateur_->jouer_son_niveau();
  if (son_coupe()) return;
  MediaPlayer1_->arreter();
  MediaPlayer2_->arreter();
  MediaPlayer2_->jouer();
}

void Tfenetre_principale::montrer_fenetre_suivant(const std::string& legende) {
  if (observateur_) observateur_->montrer_fenetre_suivant(legende);
  if (fenetre_suivant_ == nullptr) return;
  fenetre_suivant_->setWindowTitle(QString::fromStdString(legende));
  veltor::fenetres::centrer(fenetre_suivant_);
  fenetre_suivant_->exec();
}

void Tfenetre_principale::montrer_fenetre_fin() {
  if (observateur_) observateur_->montrer_fenetre_fin();
  if (fenetre_fin_ == nullptr) return;
  veltor::fenetres::centrer(fenetre_fin_);
  fenetre_fin_->exec();
}

void Tfenetre_principale::terminer_programme() {
  if (observateur_) observateur_->terminer_programme();
  // Le programme s'arrête une fois le clic en cours traité ; plus aucune règle ne joue.
  partie_finie_ = true;
  QMetaObject::invokeMethod(this, [this] { close(); }, Qt::QueuedConnection);
}

void Tfenetre_principale::speed_bouton_ouvrir_une_partieClick() {
  if (partie_finie_) return;
  if (fenetre_ouvrir_ != nullptr) {
    fenetre_ouvrir_->centrer();
    fenetre_ouvrir_->exec();
  }
  mettre_a_jour_boutons();
}

void Tfenetre_principale::speed_bouton_sauver_la_partie_en_coursClick() {
  if (partie_finie_) return;
  if (fenetre_sauver_ != nullptr) {
    fenetre_sauver_->centrer();
    fenetre_sauver_->exec();
  }
  mettre_a_jour_boutons();
}

void Tfenetre_principale::speed_bouton_aideClick() {
  const QString fichier = veltor::plateforme::chercher_donnee(
      QString::fromStdString(repertoire_de_depart_.string()),
      QString::fromLatin1(veltor::fenetres::fichier_d_aide_html));
  if (aide_ == nullptr) aide_ = new veltor::plateforme::visionneuse_aide(fichier, this);
  if (!aide_->montrer_sommaire()) {
    veltor::plateforme::boite_erreur(
        this, QStringLiteral("VELTOR95"),
        QStringLiteral("Le fichier d'aide %1 est introuvable ou illisible.")
            .arg(QString::fromLatin1(veltor::fenetres::fichier_d_aide_html)));
  }
}

void Tfenetre_principale::speed_bouton_a_proposClick() {
  veltor::fenetres::afficher_fenetre(new Tboite_a_propos(this), this);
}
