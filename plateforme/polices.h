// Les polices du jeu, données sous leurs noms d'origine, remplacées par les polices Liberation
// de mêmes métriques, en tailles de pixels, pour que la disposition ne bouge pas avec les
// réglages de polices du bureau.
#pragma once

#include <QFont>
#include <QString>

namespace veltor::plateforme {

// « Times New Roman » -> Liberation Serif, « MS Sans Serif » -> Liberation Sans,
// « System » -> Liberation Sans. Une fois, au démarrage, avant de créer les fenêtres.
void substituer_polices();

// La police `nom` haute de `pixels` pixels ; « System » est grasse, comme la police système
// d'origine (une substitution ne change que la famille, pas la graisse).
QFont police_du_jeu(const QString& nom, int pixels);

}  // namespace veltor::plateforme
