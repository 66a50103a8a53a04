// veltor95-console : le jeu sans fenêtre, depuis la ligne de commande.
#include <iostream>
#include <string>
#include <vector>

#include "outils/console/console.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return veltor::console::executer(arguments, std::cout, std::cerr);
}
