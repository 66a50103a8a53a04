// La profondeur de couleur de l'écran, et le seuil au-dessous duquel le jeu refuse de tourner.
#pragma once

namespace veltor::plateforme {

// En bits par pixel : celle d'une image compatible avec l'écran principal.
int profondeur_de_l_ecran();
// Vrai à partir de 16 bits (65536 couleurs).
bool profondeur_suffisante(int bits);

}  // namespace veltor::plateforme
