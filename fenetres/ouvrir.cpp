#include "ouvrir.h"

// La disquette jaune, celle du bouton « Ouvrir un niveau » de la barre d'outils.
Tfenetre_ouvrir_une_partie::Tfenetre_ouvrir_une_partie(
    const std::filesystem::path& repertoire_de_depart, veltor::etat_du_jeu& etat,
    veltor::requetes& r, QWidget* parent)
    : Tfenetre_des_emplacements(
          veltor::dialogue_des_parties::sorte::ouvrir, QStringLiteral("fenetre_ouvrir_une_partie"),
          QStringLiteral("Ouvrir une partie..."), QStringLiteral("disquette_jaune"),
          repertoire_de_depart, etat, r, parent) {}
