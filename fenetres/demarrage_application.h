// Le démarrage et l'arrêt du jeu.
#pragma once

#include <QString>
#include <filesystem>

class QApplication;

namespace veltor::fenetres {

inline constexpr const char* titre_de_l_application = "VELTOR95";
inline constexpr const char* fichier_d_aide = "Veltor95.hlp";
// L'aide telle que le jeu la livre : le même nom, en HTML.
inline constexpr const char* fichier_d_aide_html = "Veltor95.html";

// Le message qui refuse un écran de moins de 16 bits par pixel.
QString message_profondeur_insuffisante();

// Le répertoire de départ : le répertoire courant, terminé par le séparateur du système.
std::filesystem::path repertoire_de_depart_depuis(const std::filesystem::path& courant);

// Tout le démarrage, la boucle d'événements et la fin ; rend le code de sortie.
// profondeur : les bits par pixel de l'écran, tels que mesurés.
int lancer_le_jeu(QApplication& application, const std::filesystem::path& repertoire_courant,
                  int profondeur);

}  // namespace veltor::fenetres
