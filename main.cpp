// L'entrée du programme : le contrôle de l'écran, le répertoire de départ, le nom de
// l'application, les fenêtres dans leur ordre, puis la boucle d'événements.
#include <QApplication>
#include <csignal>
#include <filesystem>

#include "fenetres/demarrage_application.h"
#include "plateforme/profondeur.h"

int main(int argc, char** argv) {
  // Une sauvegarde qui dépasse la taille permise doit échouer (« Disque plein »),
  // pas tuer le jeu.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);  // la ligne de commande n'est pas lue
  return veltor::fenetres::lancer_le_jeu(application, std::filesystem::current_path(),
                                         veltor::plateforme::profondeur_de_l_ecran());
}
