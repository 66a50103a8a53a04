// Toutes les règles du jeu, sans fenêtre : elles changent l'état et, aux points fixés,
// passent par les requêtes.
#pragma once

#include "etat_du_jeu.h"
#include "historique.h"
#include "requetes.h"

namespace veltor {

// Copie les 84 octets du niveau n dans le plan ; ne change rien d'autre.
void charger_niveau(etat_du_jeu& etat, int n);
// Vide les cinq cases de la ligne du haut et remet ligne_prise à 0.
void vider_ligne_du_haut(etat_du_jeu& etat);
bool ligne_du_haut_vide(const etat_du_jeu& etat);
bool panier_vide(const etat_du_jeu& etat, int panier);

// Le début d'une partie : mode graphique, niveau 1, vitesse 1, niveau chargé,
// ligne du haut vidée, plateau redessiné, historique mémorisé.
void demarrer_partie(etat_du_jeu& etat, requetes& r);
// Le début du niveau n comme après un changement de niveau : numéro, chargement,
// ligne du haut vidée, plateau redessiné, historique mémorisé.
void commencer_niveau(etat_du_jeu& etat, requetes& r, int n);

// Le clic sur un panier : lever sa ligne du haut, ou poser la ligne tenue.
void choisir_panier(etat_du_jeu& etat, requetes& r, int panier);
void prendre_ligne(etat_du_jeu& etat, requetes& r, int panier);
void poser_ligne(etat_du_jeu& etat, requetes& r, int panier);
// Vrai quand une pièce tenue tomberait sur une colonne pleine du panier : la pose est
// alors refusée et le clic ne fait rien.
bool pose_refusee(const etat_du_jeu& etat, int panier);

void retourner_vertical(etat_du_jeu& etat, requetes& r, int panier);
void retourner_horizontal(etat_du_jeu& etat, requetes& r, int panier);

// Fait tomber les pièces du panier, passe par passe ; vrai si une pièce a bougé.
bool faire_tomber_pieces(etat_du_jeu& etat, requetes& r, int panier);
// Efface les pièces voisines égales, en cascade, et termine le niveau s'il est vide.
void resoudre_panier(etat_du_jeu& etat, requetes& r, int panier);
void ajouter_case_a_effacer(etat_du_jeu& etat, int panier, int rangee, int colonne);

// Les deux moitiés de l'effacement que tout corps de effacer_cases partage :
// rayer les entrées répétées (chaque copie après la première), puis mettre à 0
// la case de chaque entrée restée active.
void rayer_cases_repetees(etat_du_jeu& etat);
void vider_cases_a_effacer(etat_du_jeu& etat);

// Les boutons de la barre d'outils.
void revenir_en_arriere(etat_du_jeu& etat, const historique& h, requetes& r);
void recommencer_le_niveau(etat_du_jeu& etat, requetes& r);
// L'interrupteur graphique/simplifié : enfoncé, mode 1 ; relevé, mode 2 ; puis le plateau
// est redessiné.
void changer_mode_affichage(etat_du_jeu& etat, requetes& r, bool enfonce);
// nombre_de_pas := (nombre_de_pas + 7) mod 8.
void changer_vitesse(etat_du_jeu& etat);
// Le chiffre que montre le bouton de vitesse : 7 − nombre_de_pas.
int chiffre_de_vitesse(const etat_du_jeu& etat);

}  // namespace veltor
