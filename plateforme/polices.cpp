#include "plateforme/polices.h"

namespace veltor::plateforme {

void substituer_polices() {
  QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("System"), QStringLiteral("Liberation Sans"));
}

QFont police_du_jeu(const QString& nom, int pixels) {
  QFont police(nom);
  police.setPixelSize(pixels);
  // Toujours dit, gras ou non : un contrôle n'hérite pas du gras de la police de sa fenêtre.
  police.setBold(nom.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0);
  return police;
}

}  // namespace veltor::plateforme
