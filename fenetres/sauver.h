// La fenêtre « Sauver la partie en cours... » : un clic sur un des six emplacements y
// sauve la partie et ferme la fenêtre.
#pragma once

#include "fenetre_des_emplacements.h"

class Tfenetre_sauver_la_partie_en_cours : public Tfenetre_des_emplacements {
  Q_OBJECT
 public:
  Tfenetre_sauver_la_partie_en_cours(const std::filesystem::path& repertoire_de_depart,
                                     veltor::etat_du_jeu& etat, veltor::requetes& r,
                                     QWidget* parent = nullptr);
};
