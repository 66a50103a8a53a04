#include "ressources/texture.h"

#include <cmath>
#include <cstdint>

namespace veltor::ressources {

namespace {

double hasard(int x, int y, unsigned graine) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + graine * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<double>(h & 0xffffffu) / static_cast<double>(0xffffffu);
}

double lisse(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double bruit(double x, double y, unsigned graine) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = lisse(x - fx), ty = lisse(y - fy);
  const double haut = hasard(ix, iy, graine) * (1 - tx) + hasard(ix + 1, iy, graine) * tx;
  const double bas = hasard(ix, iy + 1, graine) * (1 - tx) + hasard(ix + 1, iy + 1, graine) * tx;
  return haut * (1 - ty) + bas * ty;
}

double bruit_fractal(double x, double y, unsigned graine, int octaves) {
  double somme = 0, poids = 1, total = 0, frequence = 1;
  for (int i = 0; i < octaves; ++i) {
    somme += poids * bruit(x * frequence, y * frequence, graine + 17u * static_cast<unsigned>(i));
    total += poids;
    poids *= 0.5;
    frequence *= 2.0;
  }
  return somme / total;
}

QImage texture(int largeur, int hauteur, qreal rapport,
               const std::function<QColor(double, double)>& couleur) {
  const int l = static_cast<int>(std::lround(largeur * rapport));
  const int h = static_cast<int>(std::lround(hauteur * rapport));
  QImage image(l, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < l; ++x)
      ligne[x] = couleur((x + 0.5) / rapport, (y + 0.5) / rapport).rgb();
  }
  image.setDevicePixelRatio(rapport);
  return image;
}

}  // namespace veltor::ressources
