// Montrer une fenêtre : centrée sur l'écran, modale, et, pour une fenêtre créée pour
// l'occasion, libérée après.
#pragma once

class QWidget;
class QDialog;

namespace veltor::fenetres {

// Place la fenêtre au centre de l'espace disponible de l'écran principal.
void centrer(QWidget* fenetre);

// Laisse d'abord passer les événements en attente (l'écran est repeint), puis montre la
// fenêtre centrée et modale et la libère une fois fermée. Sans fenêtre (sa création a
// échoué), une boîte d'information le dit et le jeu continue.
void afficher_fenetre(QDialog* fenetre, QWidget* parent);

}  // namespace veltor::fenetres
