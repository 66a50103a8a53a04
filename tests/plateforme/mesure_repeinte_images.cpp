// Mesure de la repeinte des images pendant l'animation : trois paniers de 25 images 28 × 28
// et la ligne du haut, au rapport de pixels 2 ; à chaque pas, 15 déplacements font changer
// de taille 30 images, repeintes aussitôt. Donne la médiane du temps d'un pas sur plusieurs
// passes, pour deux façons de repeindre : image par image, ou la fenêtre d'un coup.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "plateforme/image_etiree.h"
#include "plateforme/panneau.h"

using namespace veltor::plateforme;

namespace {

QPixmap boule(QColor couleur, qreal rapport) {
  QPixmap image(QSize(28, 28) * rapport);
  image.setDevicePixelRatio(rapport);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient degrade(QPointF(10, 10), 16);
  degrade.setColorAt(0, Qt::white);
  degrade.setColorAt(0.3, couleur);
  degrade.setColorAt(1, couleur.darker(300));
  p.setBrush(degrade);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(0.5, 0.5, 27, 27));
  return image;
}

double mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(argc, argv);

  QWidget fenetre;
  fenetre.setFixedSize(592, 279);
  std::vector<image_etiree*> images;
  for (int b = 0; b < 3; ++b) {
    auto* porte = new panneau(&fenetre);
    porte->setGeometry(8 + 164 * b, 88, 156, 185);
    porte->definir_couleur(QColor(128, 0, 0));
    porte->definir_biseaux(panneau::biseau::releve, panneau::biseau::abaisse, 0);
    auto* panier = new panneau(porte);
    panier->setGeometry(4, 4, 147, 147);
    panier->definir_couleur(Qt::black);
    panier->definir_biseaux(panneau::biseau::releve, panneau::biseau::aucun, 0);
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 5; ++c) {
        auto* image = new image_etiree(panier);
        image->setGeometry(3 + 28 * c, 2 + 28 * r, 28, 28);
        image->setEnabled(false);
        images.push_back(image);
      }
  }
  fenetre.show();
  QCoreApplication::processEvents();
  const qreal rapport = fenetre.devicePixelRatio();
  const QColor couleurs[] = {Qt::blue, Qt::green, Qt::cyan, Qt::red, Qt::magenta, Qt::yellow};
  for (std::size_t i = 0; i < images.size(); ++i)
    images[i]->definir_image(boule(couleurs[i % 6], rapport));
  fenetre.repaint();

  // Les 30 images de 15 déplacements : les deux premiers paniers et 5 du troisième.
  const std::vector<image_etiree*> mobiles(images.begin(), images.begin() + 30);
  const int pas_par_mouvement = 14;  // 7 pour rétrécir, 7 pour grandir
  const int mouvements = 40, passes = 5;

  auto mesurer = [&](bool image_par_image) {
    std::vector<double> medianes;
    for (int passe = 0; passe < passes; ++passe) {
      std::vector<double> durees;
      for (int m = 0; m < mouvements; ++m)
        for (int pas = 0; pas < pas_par_mouvement; ++pas) {
          const int k = pas < 7 ? pas + 1 : 14 - pas;  // 1..7 puis 7..1... 0
          const int cote = 28 - 2 * k;
          QElapsedTimer chrono;
          chrono.start();
          for (image_etiree* image : mobiles) {
            const QRect g = image->geometry();
            const QPoint centre(g.x() + g.width() / 2, g.y() + g.height() / 2);
            // Par pixels entiers, autour du centre de la case.
            const int x = 3 + 28 * ((centre.x() - 3) / 28), y = 2 + 28 * ((centre.y() - 2) / 28);
            image->setGeometry(x + (28 - cote) / 2, y + (28 - cote) / 2, cote, cote);
            if (image_par_image) image->repaint();
          }
          if (!image_par_image) fenetre.repaint();
          durees.push_back(chrono.nsecsElapsed() / 1e6);
        }
      medianes.push_back(mediane(durees));
    }
    return medianes;
  };

  std::printf("plateforme %s, rapport de pixels %.1f, %d pas par passe, %zu images par pas\n",
              qPrintable(QGuiApplication::platformName()), rapport, mouvements * pas_par_mouvement,
              mobiles.size());
  for (bool image_par_image : {true, false}) {
    const std::vector<double> m = mesurer(image_par_image);
    std::printf("%-28s médianes par passe (ms) :",
                image_par_image ? "repaint() de chaque image" : "repaint() de la fenêtre");
    for (double v : m) std::printf(" %.3f", v);
    std::printf("  -> médiane %.3f ms par pas\n", mediane(m));
  }
  return 0;
}
