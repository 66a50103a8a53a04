// L'entrée du programme : le contrôle de l'écran, le répertoire de départ, le nom de
// l'application, les fenêtres dans leur ordre, puis la boucle d'événements.
#include <QApplication>
#include <filesystem>

#include "fenetres/demarrage_application.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);  // la ligne de commande n'est pas lue
  return veltor::fenetres::lancer_le_jeu(application, std::filesystem::current_path());
}
