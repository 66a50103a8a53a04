// Du bruit lissé, déterministe, pour les pierres et les marbres des fonds : la même
// image à chaque rendu, et à un rapport 2 le même motif avec deux fois plus de détail.
#pragma once

#include <QColor>
#include <QImage>
#include <functional>

namespace veltor::ressources {

// Bruit de valeurs en (x, y), dans [0, 1], lisse à l'échelle d'une unité ; `graine` choisit
// un motif.
double bruit(double x, double y, unsigned graine);

// Somme de `octaves` bruits de fréquences doublées (turbulence douce), dans [0, 1].
double bruit_fractal(double x, double y, unsigned graine, int octaves);

// Une image de `largeur` × `hauteur` pixels logiques rendue au rapport `rapport` : chaque
// pixel prend la couleur de `couleur(x, y)` en coordonnées logiques, au centre du pixel.
QImage texture(int largeur, int hauteur, qreal rapport,
               const std::function<QColor(double, double)>& couleur);

}  // namespace veltor::ressources
