// Les fonctions qui dessinent chaque image, en coordonnées logiques : le peintre reçu est
// déjà mis à l'échelle du rapport de pixels, de sorte qu'un rapport 2 dessine deux fois plus
// fin. `rapport` sert aux textures calculées pixel par pixel.
#pragma once

#include <QColor>
#include <QPainter>

namespace veltor::ressources::dessins {

// Pièces, 28 × 28.
void boule(QPainter& p, QColor corps);
void carre(QPainter& p, QColor remplissage);

// Le fond de la fenêtre principale, 500 × 280.
void fond_de_pierre(QPainter& p, qreal rapport);

// Glyphes de la barre d'outils et sources de glyphes (32 × 32 sauf mention).
void disquette(QPainter& p, QColor corps, QColor ombre);  // 22 × 22
void clap(QPainter& p);
void poing(QPainter& p);
void livre_ouvert(QPainter& p);
void page_et_enveloppe(QPainter& p);
void tete_d_oiseau(QPainter& p);  // 24 × 31
void colombe(QPainter& p);
void haut_parleur(QPainter& p, bool barre);
void mode_graphique(QPainter& p);
void mode_simplifie(QPainter& p);

// Les retournements, 32 × 16 : l'image active puis l'image grisée.
void retournement_vertical(QPainter& p);
void retournement_horizontal(QPainter& p);

// Les images standard des boutons, 18 × 18.
void coche_ok(QPainter& p);
void porte_ouverte(QPainter& p);

// Les tableaux des fenêtres secondaires.
void bravo(QPainter& p);                     // 164 × 100
void fin(QPainter& p, qreal rapport);        // 412 × 208
void a_propos(QPainter& p, qreal rapport);   // 300 × 260

// L'icône, dessinée dans un carré de `cote` pixels logiques.
void icone(QPainter& p, int cote, bool lisse);

}  // namespace veltor::ressources::dessins
