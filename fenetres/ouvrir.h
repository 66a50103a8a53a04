// La fenêtre « Ouvrir une partie... » : un clic sur un emplacement sauvé rend sa partie au
// jeu et ferme la fenêtre ; les emplacements vides ne peuvent être cliqués.
#pragma once

#include "fenetre_des_emplacements.h"

class Tfenetre_ouvrir_une_partie : public Tfenetre_des_emplacements {
  Q_OBJECT
 public:
  Tfenetre_ouvrir_une_partie(const std::filesystem::path& repertoire_de_depart,
                             veltor::etat_du_jeu& etat, veltor::requetes& r,
                             QWidget* parent = nullptr);
};
