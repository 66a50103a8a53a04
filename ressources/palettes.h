// Les palettes des images à 16 et à 256 couleurs, et la réduction d'une image à l'une
// d'elles par la couleur la plus proche, sans tramage : l'aspect reste en aplats.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <optional>

namespace veltor::ressources {

enum class profondeur { vraies_couleurs, couleurs_256, couleurs_16 };

// Les 16 couleurs de base : noir, marron, vert, olive, marine, pourpre, sarcelle, gris,
// argent, rouge, citron vert, jaune, bleu, fuchsia, turquoise, blanc.
const QList<QRgb>& palette_16();
// Les 16 couleurs de base, le cube 6 × 6 × 6 et une rampe de gris.
const QList<QRgb>& palette_256();

// Ramène chaque pixel dessiné (opaque à moitié au moins) à la couleur la plus proche de la
// palette de `p`, `fond` exclu ; les pixels non dessinés prennent la couleur `fond`.
// Sans `fond`, le résultat garde la transparence des pixels non dessinés.
// L'image rendue est opaque partout où il y a un fond.
QImage reduire(const QImage& dessin, profondeur p, std::optional<QColor> fond);

}  // namespace veltor::ressources
