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
  if (nom.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0) police.setBold(true);
  return police;
}

}  // namespace veltor::plateforme
