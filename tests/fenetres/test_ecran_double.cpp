// Sur un écran à deux pixels par point, la fenêtre est deux fois plus grande et nette :
// aucune image n'y est un agrandissement pixel par pixel de l'image ordinaire.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <filesystem>

#include "fenetres/Demarage.h"

using namespace std::chrono_literals;

namespace {

// Vrai quand chaque bloc de 2 × 2 pixels alignés de la zone est d'une seule couleur :
// la zone est alors une image ordinaire agrandie, pas une image dessinée pour l'écran double.
bool agrandie_pixel_par_pixel(const QImage& image, QRect zone) {
  for (int y = zone.top(); y + 1 <= zone.bottom(); y += 2)
    for (int x = zone.left(); x + 1 <= zone.right(); x += 2) {
      const QRgb p = image.pixel(x, y);
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p)
        return false;
    }
  return true;
}

TEST(EcranDouble, LaFenetreEstDeuxFoisPlusGrandeEtSesImagesSontNettes) {
  Tfenetre_principale fenetre(std::filesystem::temp_directory_path(), 0ns);
  fenetre.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
  ASSERT_EQ(fenetre.devicePixelRatioF(), 2.0);
  const QImage capture = fenetre.grab().toImage();
  ASSERT_EQ(capture.size(), QSize(2 * 592, 2 * 279));

  // Des zones en points logiques de la fenêtre : une boule, le fond, des glyphes, le chiffre.
  auto zone_de = [&](const char* nom, QRect dans_le_controle) {
    auto* c = fenetre.findChild<QWidget*>(QString::fromLatin1(nom));
    const QPoint o = c->mapTo(&fenetre, dans_le_controle.topLeft());
    return QRect(2 * o.x(), 2 * o.y(), 2 * dans_le_controle.width(), 2 * dans_le_controle.height());
  };
  const std::pair<const char*, QRect> zones[] = {
      {"a151", {0, 0, 28, 28}},
      {"Image16", {20, 10, 150, 70}},
      {"speed_bouton_vitesse_du_jeu", {4, 4, 33, 47}},
      {"speed_bouton_quitter", {4, 4, 33, 47}},
      {"speed_bouton_revenir_en_arriere", {4, 4, 33, 40}},
      {"texte_numero_niveau", {0, 0, 45, 29}},
  };
  for (const auto& [nom, zone] : zones)
    EXPECT_FALSE(agrandie_pixel_par_pixel(capture, zone_de(nom, zone))) << nom;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
