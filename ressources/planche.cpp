// La planche des images : toutes les images du jeu côte à côte, au rapport 1 puis 2, chacune
// avec son nom dessous, dans un seul PNG, pour les juger d'un coup d'œil.
//
//   QT_QPA_PLATFORM=offscreen build/bin/veltor95-planche planche.png
//
// Écrit aussi une seule image dans un PNG, à un rapport donné (1 par défaut) :
//
//   veltor95-planche --image icone veltor95.png [rapport]
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ressources/images.h"

namespace {

// L'image telle qu'elle est en pixels, sans le rapport qui la ferait dessiner plus petite.
QImage en_pixels(const QPixmap& pixmap) {
  QImage i = pixmap.toImage();
  i.setDevicePixelRatio(1);
  return i;
}

int ecrire_une_image(const QString& nom, const QString& fichier, qreal rapport) {
  const QPixmap pixmap = veltor::ressources::image(nom, rapport);
  if (pixmap.isNull()) {
    std::fprintf(stderr, "veltor95-planche : image inconnue « %s »\n", qPrintable(nom));
    return 2;
  }
  if (!en_pixels(pixmap).save(fichier, "PNG")) {
    std::fprintf(stderr, "veltor95-planche : impossible d'écrire %s\n", qPrintable(fichier));
    return 1;
  }
  return 0;
}

int ecrire_la_planche(const QString& fichier) {
  constexpr int largeur_planche = 1900, marge = 12, hauteur_du_nom = 16;
  struct case_de_planche {
    QString nom;
    QImage simple, double_;
    QPoint position;
  };
  std::vector<case_de_planche> cases;
  QFont police("Liberation Sans");
  police.setPixelSize(11);
  const QFontMetrics mesure(police);
  auto legende = [](const case_de_planche& c) {
    return QString("%1  %2×%3").arg(c.nom).arg(c.simple.width()).arg(c.simple.height());
  };
  int x = marge, y = marge, hauteur_de_rangee = 0;
  for (const QString& nom : veltor::ressources::noms()) {
    case_de_planche c{nom, en_pixels(veltor::ressources::image(nom, 1)),
                      en_pixels(veltor::ressources::image(nom, 2)), {}};
    const int l = std::max(c.simple.width() + 6 + c.double_.width(),
                           mesure.horizontalAdvance(legende(c)));
    const int h = c.double_.height() + hauteur_du_nom;
    if (x + l > largeur_planche - marge && x > marge) {
      x = marge;
      y += hauteur_de_rangee + marge;
      hauteur_de_rangee = 0;
    }
    c.position = QPoint(x, y);
    x += l + 2 * marge;
    hauteur_de_rangee = std::max(hauteur_de_rangee, h);
    cases.push_back(std::move(c));
  }
  QImage planche(largeur_planche, y + hauteur_de_rangee + marge, QImage::Format_RGB32);
  // Un damier discret montre ce qui est transparent.
  {
    QPainter p(&planche);
    for (int j = 0; j < planche.height(); j += 8)
      for (int i = 0; i < planche.width(); i += 8)
        p.fillRect(i, j, 8, 8, ((i + j) / 8) % 2 ? QColor(96, 104, 112) : QColor(84, 92, 100));
    p.setFont(police);
    for (const auto& c : cases) {
      p.drawImage(c.position, c.simple);
      p.drawImage(c.position + QPoint(c.simple.width() + 6, 0), c.double_);
      p.setPen(Qt::white);
      p.drawText(QRect(c.position.x(), c.position.y() + c.double_.height() + 2, 600, 14),
                 Qt::AlignLeft | Qt::AlignVCenter, legende(c));
    }
  }
  if (!planche.save(fichier, "PNG")) {
    std::fprintf(stderr, "veltor95-planche : impossible d'écrire %s\n", qPrintable(fichier));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() >= 4 && arguments[1] == "--image") {
    const qreal rapport = arguments.size() >= 5 ? arguments[4].toDouble() : 1.0;
    return ecrire_une_image(arguments[2], arguments[3], rapport > 0 ? rapport : 1.0);
  }
  if (arguments.size() != 2 || arguments[1].startsWith("-")) {
    std::fprintf(stderr,
                 "usage : veltor95-planche PLANCHE.png\n"
                 "        veltor95-planche --image NOM FICHIER.png [RAPPORT]\n");
    return 2;
  }
  return ecrire_la_planche(arguments[1]);
}
