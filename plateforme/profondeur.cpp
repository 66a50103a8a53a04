#include "plateforme/profondeur.h"

#include <QPixmap>

namespace veltor::plateforme {

int profondeur_de_l_ecran() { return QPixmap::defaultDepth(); }

bool profondeur_suffisante(int bits) { return bits >= 16; }

}  // namespace veltor::plateforme
