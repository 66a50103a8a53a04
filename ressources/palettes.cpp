#include "ressources/palettes.h"

#include <QHash>
#include <limits>

namespace veltor::ressources {

const QList<QRgb>& palette_16() {
  static const QList<QRgb> palette = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),     qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128),   qRgb(0, 128, 128), qRgb(128, 128, 128),
      qRgb(192, 192, 192), qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255),   qRgb(0, 255, 255), qRgb(255, 255, 255)};
  return palette;
}

const QList<QRgb>& palette_256() {
  static const QList<QRgb> palette = [] {
    QList<QRgb> p = palette_16();
    for (int r = 0; r < 6; ++r)
      for (int v = 0; v < 6; ++v)
        for (int b = 0; b < 6; ++b) p.append(qRgb(51 * r, 51 * v, 51 * b));
    // 24 gris entre les paliers du cube, pour les ombres douces des glyphes.
    for (int i = 1; p.size() < 256; ++i) p.append(qRgb(10 * i + 3, 10 * i + 3, 10 * i + 3));
    return p;
  }();
  return palette;
}

namespace {

int distance(QRgb a, QRgb b) {
  // Pondération grossière de la sensibilité de l'œil : le vert compte le plus.
  const int dr = qRed(a) - qRed(b), dv = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  return 3 * dr * dr + 4 * dv * dv + 2 * db * db;
}

}  // namespace

QImage reduire(const QImage& dessin, profondeur p, std::optional<QColor> fond) {
  QImage source = dessin.convertToFormat(QImage::Format_ARGB32);
  if (p == profondeur::vraies_couleurs && !fond) return source;

  QList<QRgb> palette;
  if (p == profondeur::couleurs_16) palette = palette_16();
  if (p == profondeur::couleurs_256) palette = palette_256();
  const QRgb couleur_de_fond = fond ? fond->rgb() : 0;
  if (fond) palette.removeAll(couleur_de_fond);

  QHash<QRgb, QRgb> deja_vues;
  auto plus_proche = [&](QRgb c) {
    if (palette.isEmpty()) return c;
    const auto trouvee = deja_vues.constFind(c);
    if (trouvee != deja_vues.constEnd()) return *trouvee;
    QRgb meilleure = palette.front();
    int meilleure_distance = std::numeric_limits<int>::max();
    for (QRgb candidate : palette) {
      const int d = distance(c, candidate);
      if (d < meilleure_distance) meilleure_distance = d, meilleure = candidate;
    }
    deja_vues.insert(c, meilleure);
    return meilleure;
  };

  for (int y = 0; y < source.height(); ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(source.scanLine(y));
    for (int x = 0; x < source.width(); ++x) {
      const QRgb c = ligne[x];
      const bool non_dessine = p == profondeur::vraies_couleurs ? qAlpha(c) == 0 : qAlpha(c) < 128;
      if (non_dessine) {
        ligne[x] = fond ? (couleur_de_fond | 0xff000000u) : 0u;
        continue;
      }
      // Un pixel à demi couvert de l'image en vraies couleurs se fond sur son fond.
      QRgb opaque = c | 0xff000000u;
      if (fond && p == profondeur::vraies_couleurs && qAlpha(c) < 255) {
        const int a = qAlpha(c);
        auto melange = [a](int cv, int cf) { return (cv * a + cf * (255 - a)) / 255; };
        opaque = qRgb(melange(qRed(c), qRed(couleur_de_fond)),
                      melange(qGreen(c), qGreen(couleur_de_fond)),
                      melange(qBlue(c), qBlue(couleur_de_fond)));
      }
      ligne[x] = plus_proche(opaque);
    }
  }
  return source;
}

}  // namespace veltor::ressources
