// Ce que les deux dialogues des parties sauvegardées ont en commun : six boutons
// d'emplacement côte à côte, chacun légendé du niveau de son emplacement, au-dessus d'un
// bouton « Fermer ». Toute la logique (le fichier, les légendes, l'état actif, les erreurs)
// est celle de dialogue_des_parties ; la fenêtre ne fait que la brancher sur ses boutons.
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>
#include <array>
#include <filesystem>

#include "jeu/etat_du_jeu.h"
#include "jeu/requetes.h"
#include "jeu/sauvegarde.h"

class QPushButton;
class QShowEvent;

namespace veltor::plateforme {
class bouton_glyphe;
}

class Tfenetre_des_emplacements : public QDialog {
  Q_OBJECT
 public:
  // Hors tout 304 × 101 : le cadre d'une fenêtre outil (4 pixels) et sa petite barre de
  // titre (15 pixels) laissent 296 × 78 à l'intérieur.
  static constexpr QSize taille_interieure{304 - 2 * 4, 101 - 2 * 4 - 15};
  static constexpr int cote_d_un_emplacement = 50;
  // Chaque bouton chevauche son voisin de gauche d'un pixel.
  static constexpr int pas_des_emplacements = 49;

  // Au centre de l'espace disponible de l'écran principal ; refait à chaque montrée.
  void centrer();

  // À chaque montrée, avant que le joueur ne puisse cliquer : la logique relit le fichier,
  // une erreur est montrée, puis les boutons prennent légendes et état actif de la logique.
  void FormShow();
  // Le clic sur l'emplacement k (le Tag du bouton, 0..5) : sans erreur, la fenêtre se
  // ferme ; sur une erreur, la boîte d'erreur, et la fenêtre reste ouverte.
  void speed_bouton_sauver_1Click(int k);

  const veltor::dialogue_des_parties& logique() const { return logique_; }

  // Index k : le bouton de Tag k, speed_bouton_sauver_<k + 1>.
  std::array<veltor::plateforme::bouton_glyphe*, veltor::nombre_d_emplacements>
      boutons_emplacements{};
  QPushButton* BitBtn1 = nullptr;

 protected:
  Tfenetre_des_emplacements(veltor::dialogue_des_parties::sorte sorte, const QString& nom,
                            const QString& legende, const QString& image_des_emplacements,
                            const std::filesystem::path& repertoire_de_depart,
                            veltor::etat_du_jeu& etat, veltor::requetes& r, QWidget* parent);

  void showEvent(QShowEvent* e) override;
  // Échap, et toute demande de fermeture venue d'ailleurs, ne font rien : seuls
  // « Fermer » et un clic réussi ferment la fenêtre.
  void reject() override {}

 private:
  void FormCreate();
  void fermer() { QDialog::done(QDialog::Rejected); }
  void montrer_erreur(const veltor::erreur_es& erreur);

  veltor::dialogue_des_parties logique_;
  veltor::etat_du_jeu& etat_;
  veltor::requetes& requetes_;
};
