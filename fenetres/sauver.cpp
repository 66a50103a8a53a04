#include "sauver.h"

// La disquette verte, celle du bouton « Enregistrer le niveau actuel » de la barre d'outils.
Tfenetre_sauver_la_partie_en_cours::Tfenetre_sauver_la_partie_en_cours(
    const std::filesystem::path& repertoire_de_depart, veltor::etat_du_jeu& etat,
    veltor::requetes& r, QWidget* parent)
    : Tfenetre_des_emplacements(veltor::dialogue_des_parties::sorte::sauver,
                                QStringLiteral("fenetre_sauver_la_partie_en_cours"),
                                QStringLiteral("Sauver la partie en cours..."),
                                QStringLiteral("disquette_verte"), repertoire_de_depart, etat, r,
                                parent) {}
