// La fenêtre principale : les trois paniers dans leurs portes, les boutons de retournement,
// la ligne du haut, le numéro du niveau et la barre d'outils. Elle tient l'état du jeu et
// fournit aux règles leurs requêtes : animation, effacement, dessin, sons, fenêtres.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <memory>

#include "cadence.h"
#include "jeu/etat_du_jeu.h"
#include "jeu/historique.h"
#include "jeu/requetes.h"
#include "moteur_animation.h"

class QLabel;
class QDialog;

namespace veltor::plateforme {
class panneau;
class image_etiree;
class bouton_glyphe;
class lecteur_son;
class visionneuse_aide;
}  // namespace veltor::plateforme

class Tfenetre_suivant;
class Tfenetre_fin;
class Tfenetre_ouvrir_une_partie;
class Tfenetre_sauver_la_partie_en_cours;

class Tfenetre_principale : public QWidget, public veltor::requetes {
  Q_OBJECT
 public:
  static constexpr const char* legende_principale = "VELTOR95  1.0 Pour Windows 95/98/NT";

  // trame : la durée minimale d'une étape d'animation à l'écran (0 dans les tests).
  explicit Tfenetre_principale(std::filesystem::path repertoire_de_depart,
                               std::chrono::nanoseconds trame = veltor::fenetres::trame_60hz,
                               QWidget* parent = nullptr);
  ~Tfenetre_principale() override;

  // Les fenêtres créées après celle-ci, dans l'ordre du démarrage.
  void definir_fenetres(Tfenetre_suivant* suivant, Tfenetre_ouvrir_une_partie* ouvrir,
                        Tfenetre_sauver_la_partie_en_cours* sauver, Tfenetre_fin* fin);

  veltor::etat_du_jeu& etat() { return etat_; }
  const veltor::historique& historique_memorise() const { return historique_; }
  const std::filesystem::path& repertoire_de_depart() const { return repertoire_de_depart_; }
  bool partie_finie() const { return partie_finie_; }
  veltor::plateforme::image_etiree* image_de(veltor::lieu l) const;
  const QPixmap& image_de_piece(int mode, int piece) const { return images_des_pieces_[mode - 1][piece]; }
  bool son_coupe() const;

  // Pour les tests et la comparaison avec la console : chaque requête lui est aussi passée,
  // avant d'être faite.
  void definir_observateur(veltor::requetes* observateur) { observateur_ = observateur; }
  veltor::fenetres::moteur_animation& moteur() { return moteur_; }

  // Les requêtes des règles.
  void memoriser_historique() override;
  void vider_liste_des_deplacements() override;
  void ajouter_deplacement(veltor::lieu premiere_image, veltor::lieu seconde_image) override;
  void animer_deplacements() override;
  void repeindre_en_attente() override;
  void effacer_cases() override;
  void redessiner_plateau() override;
  void jouer_son_niveau() override;
  void montrer_fenetre_suivant(const std::string& legende) override;
  void montrer_fenetre_fin() override;
  void terminer_programme() override;

  void mettre_a_jour_boutons();

 public slots:
  void panier0MouseDown(int panier);
  void bouton_v1Click(int panier);
  void bouton_h1Click(int panier);
  void speed_bouton_ouvrir_une_partieClick();
  void speed_bouton_sauver_la_partie_en_coursClick();
  void speed_bouton_revenir_en_arriereClick();
  void speed_bouton_recommencer_le_niveau_en_coursClick();
  void speed_bouton_mode_graphique_simplifieClick();
  void speed_bouton_son_on_offClick();
  void speed_bouton_aideClick();
  void speed_bouton_a_proposClick();
  void speed_bouton_vitesse_du_jeuClick();
  void speed_bouton_quitterClick();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void creer_les_controles();
  void ouvrir_son(veltor::plateforme::lecteur_son& lecteur, const QString& nom);

  std::filesystem::path repertoire_de_depart_;
  veltor::etat_du_jeu etat_{};
  veltor::historique historique_{};
  veltor::fenetres::moteur_animation moteur_;
  qreal rapport_ = 1.0;
  veltor::requetes* observateur_ = nullptr;
  bool partie_finie_ = false;

  // Les tables d'index par lesquelles tout le jeu atteint les contrôles par leur numéro.
  QPixmap images_des_pieces_[2][16];
  veltor::plateforme::image_etiree* images_des_cases_[3][5][5]{};
  veltor::plateforme::image_etiree* images_du_haut_[5]{};
  veltor::plateforme::bouton_glyphe* boutons_de_retournement_[3][2]{};
  veltor::plateforme::panneau* portes_[3]{};

  QLabel* texte_numero_niveau_ = nullptr;
  veltor::plateforme::bouton_glyphe* speed_bouton_mode_graphique_simplifie_ = nullptr;
  veltor::plateforme::bouton_glyphe* speed_bouton_son_on_off_ = nullptr;
  veltor::plateforme::bouton_glyphe* speed_bouton_vitesse_du_jeu_ = nullptr;
  // Les sources des glyphes des deux interrupteurs.
  QPixmap son_on_, son_off_, speed_bouton_mode_graphique_, speed_bouton_mode_simplifie_;

  std::unique_ptr<veltor::plateforme::lecteur_son> MediaPlayer1_;
  std::unique_ptr<veltor::plateforme::lecteur_son> MediaPlayer2_;
  veltor::plateforme::visionneuse_aide* aide_ = nullptr;

  Tfenetre_suivant* fenetre_suivant_ = nullptr;
  Tfenetre_ouvrir_une_partie* fenetre_ouvrir_ = nullptr;
  Tfenetre_sauver_la_partie_en_cours* fenetre_sauver_ = nullptr;
  Tfenetre_fin* fenetre_fin_ = nullptr;
};
