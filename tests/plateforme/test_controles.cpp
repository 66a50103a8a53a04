// Les contrôles de la couche plateforme : biseaux des panneaux, images étirées que les appuis
// traversent, glyphes des boutons rapides.
#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "plateforme/bouton_glyphe.h"
#include "plateforme/image_etiree.h"
#include "plateforme/panneau.h"

using namespace veltor::plateforme;

namespace {

const QColor blanc(255, 255, 255), gris(128, 128, 128), bordeaux(128, 0, 0);

struct point_attendu {
  int x, y;
  QColor couleur;
};

struct cas_de_biseaux {
  const char* nom;
  panneau::biseau exterieur, interieur;
  int bordure;
  std::vector<point_attendu> points;
};

// Un panneau 30 × 20 bordeaux ; les coins en haut à droite et en bas à gauche sont à la
// couleur du bas, comme les cadres classiques.
TEST(Panneau, PeintSaCouleurPuisSesBiseaux) {
  using b = panneau::biseau;
  const cas_de_biseaux table[] = {
      {"relevé",
       b::releve,
       b::aucun,
       0,
       {{0, 0, blanc},
        {28, 0, blanc},
        {0, 18, blanc},
        {29, 0, gris},
        {0, 19, gris},
        {29, 19, gris},
        {1, 1, bordeaux},
        {28, 18, bordeaux}}},
      {"abaissé",
       b::abaisse,
       b::aucun,
       0,
       {{0, 0, gris},
        {28, 0, gris},
        {29, 0, blanc},
        {0, 19, blanc},
        {29, 19, blanc},
        {1, 1, bordeaux}}},
      {"relevé puis abaissé, sans bordure",
       b::releve,
       b::abaisse,
       0,
       {{0, 0, blanc},
        {29, 19, gris},
        {1, 1, gris},
        {27, 1, gris},
        {28, 1, blanc},
        {28, 18, blanc},
        {2, 2, bordeaux}}},
      {"relevé, bordure de 3, relevé",
       b::releve,
       b::releve,
       3,
       {{0, 0, blanc},
        {1, 1, bordeaux},
        {3, 3, bordeaux},
        {4, 4, blanc},
        {24, 4, blanc},
        {25, 4, gris},
        {4, 15, gris},
        {25, 15, gris},
        {5, 5, bordeaux},
        {26, 16, bordeaux},
        {29, 19, gris}}},
      {"intérieur seul, à la bordure près",
       b::aucun,
       b::abaisse,
       2,
       {{0, 0, bordeaux}, {1, 1, bordeaux}, {2, 2, gris}, {27, 17, blanc}, {3, 3, bordeaux}}},
  };
  for (const cas_de_biseaux& c : table) {
    SCOPED_TRACE(c.nom);
    panneau p;
    p.resize(30, 20);
    p.definir_couleur(bordeaux);
    p.definir_biseaux(c.exterieur, c.interieur, c.bordure);
    const QImage image = p.grab().toImage();
    for (const point_attendu& pt : c.points)
      EXPECT_EQ(image.pixelColor(pt.x, pt.y), pt.couleur) << "en " << pt.x << ", " << pt.y;
  }
}

// Un panneau noir, une image désactivée dessus, dans une vraie fenêtre : l'appui passe par
// la fenêtre, comme celui du joueur, et Qt choisit le contrôle qui le reçoit.
TEST(ImageEtiree, DesactiveeLaisseLesAppuisAuPanneauDessous) {
  QWidget fenetre;
  fenetre.resize(200, 200);
  auto* panier = new panneau(&fenetre);
  panier->setGeometry(10, 10, 147, 147);
  auto* image = new image_etiree(panier);
  image->setGeometry(3, 2, 28, 28);
  QPixmap boule(28, 28);
  boule.fill(Qt::blue);
  image->definir_image(boule);
  image->setEnabled(false);
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));

  QSignalSpy appuis(panier, &panneau::appui);
  const Qt::MouseButton boutons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
  for (Qt::MouseButton bouton : boutons) {
    // Sur l'image, puis entre les images.
    for (QPoint dans_le_panier : {QPoint(15, 15), QPoint(100, 100)}) {
      const int avant = int(appuis.count());
      const QPoint point = panier->mapTo(&fenetre, dans_le_panier);
      QTest::mousePress(fenetre.windowHandle(), bouton, {}, point);
      QTest::mouseRelease(fenetre.windowHandle(), bouton, {}, point);
      EXPECT_EQ(appuis.count(), avant + 1) << "bouton " << bouton;
    }
  }
}

QImage damier(int cote, qreal rapport) {
  QImage image(cote, cote, QImage::Format_RGB32);
  for (int y = 0; y < cote; ++y)
    for (int x = 0; x < cote; ++x) image.setPixel(x, y, (x + y) % 2 ? 0xffff0000 : 0xff0000ff);
  image.setDevicePixelRatio(rapport);
  return image;
}

// L'image est étirée sur le contrôle sans lissage : à sa taille elle est recopiée pixel pour
// pixel, au rapport 1 comme au rapport 2 ; réduite, elle ne mêle jamais deux couleurs.
TEST(ImageEtiree, EtireeSansLissageAuRapportDeLEcran) {
  struct cas {
    int cote_de_l_image;  // en pixels de l'image
    qreal rapport;        // de l'image et de l'écran
    int cote_du_controle;
  };
  const cas table[] = {{28, 1, 28}, {56, 2, 28}, {56, 2, 14}, {28, 1, 20}, {56, 2, 17}};
  for (const cas& c : table) {
    SCOPED_TRACE(testing::Message() << c.cote_de_l_image << " au rapport " << c.rapport << " sur "
                                    << c.cote_du_controle);
    image_etiree image;
    image.resize(c.cote_du_controle, c.cote_du_controle);
    const QImage source = damier(c.cote_de_l_image, c.rapport);
    image.definir_image(QPixmap::fromImage(source));
    const int cote = int(c.cote_du_controle * c.rapport);
    QImage rendu(cote, cote, QImage::Format_RGB32);
    rendu.setDevicePixelRatio(c.rapport);
    rendu.fill(Qt::black);
    image.render(&rendu);
    for (int y = 0; y < cote; ++y)
      for (int x = 0; x < cote; ++x) {
        const QRgb p = rendu.pixel(x, y);
        ASSERT_TRUE(p == 0xffff0000 || p == 0xff0000ff) << "mélange en " << x << ", " << y;
        if (cote == c.cote_de_l_image) {
          ASSERT_EQ(p, source.pixel(x, y)) << x << ", " << y;
        }
      }
  }
}

// Un glyphe de deux images 16 × 16 sur fond olive : l'active a un carré bleu, la grisée un
// carré gris ; le pixel en haut à gauche est rouge et doit le rester.
QPixmap glyphe_de_test(qreal rapport, int nombre_d_images) {
  const int r = int(rapport);
  QImage image(16 * nombre_d_images * r, 16 * r, QImage::Format_RGB32);
  image.fill(QColor(128, 128, 0));
  QPainter p(&image);
  p.fillRect(QRect(4 * r, 4 * r, 8 * r, 8 * r), Qt::blue);
  if (nombre_d_images == 2) p.fillRect(QRect(20 * r, 4 * r, 8 * r, 8 * r), gris);
  p.fillRect(QRect(0, 0, 1, 1), Qt::red);
  p.end();
  QPixmap glyphe = QPixmap::fromImage(image);
  glyphe.setDevicePixelRatio(rapport);
  return glyphe;
}

TEST(BoutonGlyphe, DecoupeLeGlypheRendLeFondTransparentEtGardeLeRapport) {
  for (qreal rapport : {1.0, 2.0}) {
    for (int nombre : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "rapport " << rapport << ", " << nombre << " image(s)");
      bouton_glyphe bouton;
      bouton.definir_glyphe(glyphe_de_test(rapport, nombre), nombre);
      EXPECT_EQ(bouton.iconSize(), QSize(16, 16));
      const int r = int(rapport);
      const QImage actif = bouton.icon().pixmap(QSize(16, 16), rapport, QIcon::Normal).toImage();
      const QImage grise = bouton.icon().pixmap(QSize(16, 16), rapport, QIcon::Disabled).toImage();
      ASSERT_EQ(actif.size(), QSize(16 * r, 16 * r));
      ASSERT_EQ(grise.size(), QSize(16 * r, 16 * r));
      EXPECT_EQ(actif.devicePixelRatio(), rapport);

      EXPECT_EQ(qAlpha(actif.pixel(2 * r, 14 * r)), 0) << "le fond olive est transparent";
      EXPECT_EQ(qAlpha(actif.pixel(15 * r, 15 * r)), 0);
      EXPECT_EQ(actif.pixelColor(0, 0), QColor(Qt::red));
      EXPECT_EQ(actif.pixelColor(8 * r, 8 * r), QColor(Qt::blue));
      EXPECT_EQ(qAlpha(grise.pixel(2 * r, 14 * r)), 0);
      if (nombre == 2) {
        EXPECT_EQ(grise.pixelColor(8 * r, 8 * r), gris) << "la seconde image est la grisée";
      } else {
        // Qt grise lui-même l'image unique.
        const QColor c = grise.pixelColor(8 * r, 8 * r);
        EXPECT_NE(c, QColor(Qt::blue));
        EXPECT_EQ(c.red(), c.blue()) << "le bleu devient un gris";
      }
    }
  }
}

TEST(BoutonGlyphe, PeintLImageActiveOuGriseeAuCentre) {
  bouton_glyphe bouton;
  bouton.resize(72, 26);
  bouton.definir_glyphe(glyphe_de_test(1, 2), 2);
  // Le glyphe 16 × 16 est centré : son carré de 8 couvre (32..39, 9..16) du bouton.
  EXPECT_EQ(bouton.grab().toImage().pixelColor(36, 13), QColor(Qt::blue));
  bouton.setEnabled(false);
  EXPECT_EQ(bouton.grab().toImage().pixelColor(36, 13), gris);
  // Le fond olive ne se voit nulle part.
  const QImage rendu = bouton.grab().toImage();
  for (int y = 0; y < rendu.height(); ++y)
    for (int x = 0; x < rendu.width(); ++x)
      ASSERT_NE(rendu.pixelColor(x, y), QColor(128, 128, 0)) << x << ", " << y;
}

TEST(BoutonGlyphe, PlatIlNaDeBordQueSousLaSourisOuEnfonce) {
  bouton_glyphe bouton;
  bouton.resize(50, 50);
  bouton.definir_glyphe(glyphe_de_test(1, 2), 2);
  const QColor face = bouton.palette().color(QPalette::Button);
  EXPECT_EQ(bouton.grab().toImage().pixelColor(0, 0), QColor(Qt::white)) << "en relief";
  bouton.setAutoRaise(true);
  EXPECT_EQ(bouton.grab().toImage().pixelColor(0, 0), face) << "plat : aucun bord";
  EXPECT_EQ(bouton.grab().toImage().pixelColor(49, 49), face);
  bouton.setDown(true);
  EXPECT_EQ(bouton.grab().toImage().pixelColor(0, 0), QColor(128, 128, 128)) << "enfoncé";
}

TEST(AvecTransparence, SeulLaCouleurExacteDuPixelEnBasAGaucheDevientTransparente) {
  QImage image(4, 4, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 0, 0));  // déjà transparent en bas à gauche
  image.setPixel(1, 1, qRgba(0, 0, 0, 255));
  image.setPixel(2, 2, qRgba(10, 20, 30, 255));
  const QImage resultat = avec_transparence(QPixmap::fromImage(image)).toImage();
  EXPECT_EQ(resultat.pixel(1, 1), qRgba(0, 0, 0, 255)) << "le noir opaque reste";
  EXPECT_EQ(resultat.pixel(2, 2), qRgba(10, 20, 30, 255));
  EXPECT_EQ(qAlpha(resultat.pixel(0, 3)), 0);
  EXPECT_TRUE(avec_transparence(QPixmap()).isNull());
}

}  // namespace
