// Le démarrage et l'arrêt du jeu.
#pragma once

#include <QString>
#include <chrono>
#include <filesystem>
#include <memory>

#include "cadence.h"

class QApplication;
class Tfenetre_principale;
class Tfenetre_suivant;
class Tfenetre_ouvrir_une_partie;
class Tfenetre_sauver_la_partie_en_cours;
class Tfenetre_fin;

namespace veltor::fenetres {

inline constexpr const char* titre_de_l_application = "VELTOR95";
inline constexpr const char* fichier_d_aide = "Veltor95.hlp";
// L'aide telle que le jeu la livre : le même nom, en HTML.
inline constexpr const char* fichier_d_aide_html = "Veltor95.html";

// Le message qui refuse un écran de moins de 16 bits par pixel.
QString message_profondeur_insuffisante();

// Le répertoire de départ : le répertoire courant, terminé par le séparateur du système.
std::filesystem::path repertoire_de_depart_depuis(const std::filesystem::path& courant);

// Le nom de l'application pour le bureau, ses polices, sa palette et son icône.
void preparer_l_application(QApplication& application);

// Les fenêtres du jeu, créées dans l'ordre du démarrage : la fenêtre principale, montrée
// centrée dès sa création, puis la fenêtre du niveau suivant, les dialogues Ouvrir et Sauver
// et la fenêtre de fin. Elles vivent jusqu'à la fin du programme.
struct fenetres_du_jeu {
  explicit fenetres_du_jeu(const std::filesystem::path& repertoire_de_depart,
                           std::chrono::nanoseconds trame = trame_60hz);
  ~fenetres_du_jeu();

  std::unique_ptr<Tfenetre_principale> principale;
  std::unique_ptr<Tfenetre_suivant> suivant;
  std::unique_ptr<Tfenetre_ouvrir_une_partie> ouvrir;
  std::unique_ptr<Tfenetre_sauver_la_partie_en_cours> sauver;
  std::unique_ptr<Tfenetre_fin> fin;
};

// Tout le démarrage, la boucle d'événements et la fin ; rend le code de sortie.
// profondeur : les bits par pixel de l'écran, tels que mesurés.
int lancer_le_jeu(QApplication& application, const std::filesystem::path& repertoire_courant,
                  int profondeur);

}  // namespace veltor::fenetres
