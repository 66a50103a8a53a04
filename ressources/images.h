// Toutes les images du jeu, dessinées par le projet, données par leur nom et le rapport de
// pixels de l'écran. Les fenêtres ne dessinent jamais d'image elles-mêmes.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace veltor::ressources {

// L'image `nom` à sa taille logique, dessinée pour le rapport `rapport` (1 ou 2...) :
// le QPixmap a taille_logique × rapport pixels et devicePixelRatio() == rapport.
// Gardée en cache par nom et rapport. Un nom inconnu donne un QPixmap nul.
//
// Les noms :
//   image0 .. image15           les boules graphiques (mode 2) ; image0 est vide (transparente)
//   Image0a, image1a .. image15a les carrés simplifiés (mode 1) ; Image0a est vide
//   Image16                     le fond 500 × 280
//   speed_bouton_ouvrir_une_partie, speed_bouton_sauver_la_partie_en_cours,
//   speed_bouton_revenir_en_arriere, speed_bouton_recommencer_le_niveau_en_cours,
//   speed_bouton_aide, speed_bouton_a_propos, speed_bouton_vitesse_du_jeu,
//   speed_bouton_quitter        les glyphes de la barre d'outils
//   son_on, son_off, speed_bouton_mode_graphique, speed_bouton_mode_simplifie
//                               les sources de glyphes des deux interrupteurs
//   bouton_v, bouton_h          les glyphes 32 × 16 des retournements (actif | grisé)
//   disquette_jaune, disquette_verte   22 × 22
//   bravo (164 × 100), fin (412 × 208), a_propos (300 × 260)
//   ok, fermer                  les images standard des boutons
//   icone (32 × 32), icone_grande (256 × 256)
// Les glyphes portent en bas à gauche la couleur à rendre transparente.
QPixmap image(const QString& nom, qreal rapport = 1.0);

// La taille logique d'une image (QSize() pour un nom inconnu).
QSize taille(const QString& nom);

// Tous les noms, dans l'ordre de la planche.
QStringList noms();

}  // namespace veltor::ressources
