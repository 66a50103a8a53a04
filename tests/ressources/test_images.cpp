#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "ressources/images.h"

namespace {

using veltor::ressources::image;
using veltor::ressources::noms;
using veltor::ressources::taille;

QImage pixels(const QString& nom, qreal rapport) {
  return image(nom, rapport).toImage().convertToFormat(QImage::Format_ARGB32);
}

enum class palette { vraies_couleurs, c256, c16 };

struct attendu {
  QString nom;
  int largeur, hauteur;
  palette pal;
};

// Toutes les images du jeu, avec la taille et le nombre de couleurs qu'on leur demande.
std::vector<attendu> toutes_les_images() {
  std::vector<attendu> t;
  for (int v = 0; v <= 15; ++v) t.push_back({QString("image%1").arg(v), 28, 28, palette::vraies_couleurs});
  t.push_back({"Image0a", 28, 28, palette::c16});
  for (int v = 1; v <= 15; ++v) t.push_back({QString("image%1a").arg(v), 28, 28, palette::c16});
  const std::vector<attendu> autres = {
      {"Image16", 500, 280, palette::vraies_couleurs},
      {"speed_bouton_ouvrir_une_partie", 22, 22, palette::c256},
      {"speed_bouton_sauver_la_partie_en_cours", 22, 22, palette::c256},
      {"speed_bouton_revenir_en_arriere", 32, 32, palette::c256},
      {"speed_bouton_recommencer_le_niveau_en_cours", 32, 32, palette::c256},
      {"speed_bouton_aide", 32, 32, palette::c256},
      {"speed_bouton_a_propos", 32, 32, palette::c256},
      {"speed_bouton_vitesse_du_jeu", 24, 31, palette::vraies_couleurs},
      {"speed_bouton_quitter", 32, 32, palette::c256},
      {"son_on", 32, 32, palette::c256},
      {"son_off", 32, 32, palette::c256},
      {"speed_bouton_mode_graphique", 32, 32, palette::c256},
      {"speed_bouton_mode_simplifie", 32, 32, palette::c256},
      {"bouton_v", 32, 16, palette::c16},
      {"bouton_h", 32, 16, palette::c16},
      {"disquette_jaune", 22, 22, palette::c256},
      {"disquette_verte", 22, 22, palette::c256},
      {"bravo", 164, 100, palette::vraies_couleurs},
      {"fin", 412, 208, palette::vraies_couleurs},
      {"a_propos", 300, 260, palette::vraies_couleurs},
      {"ok", 18, 18, palette::c16},
      {"fermer", 18, 18, palette::c16},
      {"icone", 32, 32, palette::c16},
      {"icone_grande", 256, 256, palette::vraies_couleurs},
  };
  t.insert(t.end(), autres.begin(), autres.end());
  return t;
}

TEST(Images, chaque_image_a_sa_taille_aux_rapports_1_et_2) {
  QStringList attendus;
  for (const attendu& a : toutes_les_images()) {
    attendus << qPrintable(a.nom);
    EXPECT_EQ(taille(a.nom), QSize(a.largeur, a.hauteur)) << qPrintable(a.nom);
    for (qreal rapport : {1.0, 2.0}) {
      const QPixmap p = image(a.nom, rapport);
      ASSERT_FALSE(p.isNull()) << qPrintable(a.nom);
      EXPECT_EQ(p.size(), QSize(a.largeur, a.hauteur) * rapport) << qPrintable(a.nom) << " ×" << rapport;
      EXPECT_EQ(p.devicePixelRatio(), rapport) << qPrintable(a.nom);
    }
  }
  QStringList donnes = noms();
  donnes.sort();
  attendus.sort();
  EXPECT_EQ(donnes, attendus);
}

TEST(Images, un_nom_inconnu_ne_donne_rien) {
  EXPECT_TRUE(image("image16").isNull());
  EXPECT_TRUE(image("").isNull());
  EXPECT_TRUE(image("image1", 0).isNull());
  EXPECT_EQ(taille("inconnue"), QSize());
}

TEST(Images, les_images_a_palette_n_ont_que_les_couleurs_de_leur_palette) {
  const QSet<QRgb> seize = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
      qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  for (const attendu& a : toutes_les_images()) {
    if (a.pal == palette::vraies_couleurs) continue;
    for (qreal rapport : {1.0, 2.0}) {
      const QImage i = pixels(a.nom, rapport);
      QSet<QRgb> couleurs;
      for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x) {
          const QRgb c = i.pixel(x, y);
          if (qAlpha(c) == 0) continue;
          EXPECT_EQ(qAlpha(c), 255) << qPrintable(a.nom) << " : une image à palette est opaque ou vide";
          couleurs.insert(c);
        }
      if (a.pal == palette::c16) {
        for (QRgb c : couleurs) EXPECT_TRUE(seize.contains(c)) << qPrintable(a.nom) << " " << std::hex << c;
      } else {
        EXPECT_LE(couleurs.size(), 256) << qPrintable(a.nom);
      }
    }
  }
}

// Les couleurs de la table des pièces : corps de la boule, remplissage du carré.
struct couleurs_de_piece {
  int valeur;
  QRgb boule, carre;
};
const couleurs_de_piece pieces[] = {
    {1, qRgb(0, 0, 251), qRgb(192, 192, 192)},     {2, qRgb(0, 251, 0), qRgb(128, 0, 0)},
    {3, qRgb(0, 251, 251), qRgb(0, 128, 0)},       {4, qRgb(251, 0, 0), qRgb(128, 128, 0)},
    {5, qRgb(251, 0, 251), qRgb(0, 0, 128)},       {6, qRgb(251, 251, 0), qRgb(128, 0, 128)},
    {7, qRgb(251, 251, 251), qRgb(0, 128, 128)},   {8, qRgb(0, 208, 255), qRgb(128, 128, 128)},
    {9, qRgb(251, 189, 63), qRgb(255, 0, 0)},      {10, qRgb(251, 189, 189), qRgb(0, 255, 0)},
    {11, qRgb(189, 189, 63), qRgb(255, 255, 0)},   {12, qRgb(126, 126, 189), qRgb(0, 0, 255)},
    {13, qRgb(189, 189, 251), qRgb(255, 0, 255)},  {14, qRgb(189, 126, 126), qRgb(0, 255, 255)},
    {15, qRgb(251, 126, 0), qRgb(255, 255, 255)},
};

TEST(Images, les_pieces_ont_les_couleurs_de_leur_table) {
  for (const auto& piece : pieces) {
    for (int rapport : {1, 2}) {
      const QImage boule = pixels(QString("image%1").arg(piece.valeur), rapport);
      // Le corps, au centre et un peu plus bas, à l'opposé de la lumière.
      for (QPoint corps : {QPoint(14, 14), QPoint(15, 17), QPoint(17, 15)})
        EXPECT_EQ(boule.pixel(corps * rapport), piece.boule)
            << "boule " << piece.valeur << " ×" << rapport << " en " << corps.x() << "," << corps.y();
      EXPECT_EQ(boule.pixel(0, 0), qRgb(0, 0, 0)) << "coin noir de la boule " << piece.valeur;
      // Le reflet, en haut à gauche, est plus clair que le corps.
      const QRgb reflet = boule.pixel(QPoint(8, 8) * rapport);
      EXPECT_GT(qGray(reflet), qGray(piece.boule)) << "boule " << piece.valeur;

      const QImage carre = pixels(QString("image%1a").arg(piece.valeur), rapport);
      for (QPoint remplissage : {QPoint(14, 14), QPoint(1, 1), QPoint(26, 26)})
        EXPECT_EQ(carre.pixel(remplissage * rapport), piece.carre) << "carré " << piece.valeur;
      for (QPoint cadre : {QPoint(0, 0), QPoint(27, 14), QPoint(14, 27), QPoint(0, 27)})
        EXPECT_EQ(carre.pixel(cadre * rapport), qRgb(0, 0, 0)) << "cadre du carré " << piece.valeur;
    }
  }
}

TEST(Images, les_images_vides_sont_entierement_transparentes) {
  for (const char* nom : {"image0", "Image0a"})
    for (qreal rapport : {1.0, 2.0}) {
      const QImage i = pixels(nom, rapport);
      for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x) ASSERT_EQ(qAlpha(i.pixel(x, y)), 0) << nom;
    }
}

struct glyphe {
  const char* nom;
  QRgb transparente;
};
const QRgb argent = qRgb(192, 192, 192);
const glyphe glyphes[] = {
    {"speed_bouton_ouvrir_une_partie", argent},
    {"speed_bouton_sauver_la_partie_en_cours", argent},
    {"speed_bouton_revenir_en_arriere", argent},
    {"speed_bouton_recommencer_le_niveau_en_cours", argent},
    {"speed_bouton_aide", argent},
    {"speed_bouton_a_propos", argent},
    {"speed_bouton_vitesse_du_jeu", argent},
    {"speed_bouton_quitter", qRgb(255, 0, 0)},
    {"son_on", argent},
    {"son_off", argent},
    {"speed_bouton_mode_graphique", argent},
    {"speed_bouton_mode_simplifie", argent},
    {"bouton_v", qRgb(128, 128, 0)},
    {"bouton_h", qRgb(128, 128, 0)},
    {"disquette_jaune", argent},
    {"disquette_verte", argent},
    {"ok", argent},
    {"fermer", argent},
};

// La couleur transparente est en bas à gauche ; elle entoure le dessin sans le trouer :
// le centre du glyphe est dessiné, et le fond n'en couvre qu'une part.
TEST(Images, les_glyphes_portent_leur_couleur_transparente_en_bas_a_gauche) {
  for (const glyphe& g : glyphes)
    for (int rapport : {1, 2}) {
      const QImage i = pixels(g.nom, rapport);
      EXPECT_EQ(i.pixel(0, i.height() - 1), g.transparente) << g.nom << " ×" << rapport;
      int fond = 0;
      for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x) fond += i.pixel(x, y) == g.transparente;
      const int total = i.width() * i.height();
      EXPECT_GT(fond, total / 20) << g.nom;
      EXPECT_LT(fond, total * 9 / 10) << g.nom;
    }
}

// Un retournement : actif à gauche (bleu vif, bleu sombre, axe rouge), grisé à droite
// (rien que du gris et du blanc sur l'olive).
TEST(Images, les_retournements_ont_une_moitie_active_et_une_moitie_grisee) {
  for (const char* nom : {"bouton_v", "bouton_h"})
    for (int rapport : {1, 2}) {
      const QImage i = pixels(nom, rapport);
      QSet<QRgb> actif, grise;
      for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
          (x < 16 * rapport ? actif : grise).insert(i.pixel(x, y));
      for (QRgb c : {qRgb(0, 0, 255), qRgb(0, 0, 128), qRgb(255, 0, 0)})
        EXPECT_TRUE(actif.contains(c)) << nom << " " << std::hex << c;
      EXPECT_EQ(grise, (QSet<QRgb>{qRgb(128, 128, 0), qRgb(128, 128, 128), qRgb(255, 255, 255)}))
          << nom;
    }
}

// Au rapport 2 l'image est redessinée deux fois plus fine, pas agrandie : elle diffère de
// l'image au rapport 1 dont chaque pixel serait doublé. Seuls les carrés plats, faits de
// bords droits sur des pixels entiers, et les images vides n'ont rien de plus fin à montrer.
TEST(Images, le_rapport_2_est_dessine_et_non_agrandi) {
  for (const QString& nom : noms()) {
    const bool carre_plat = (nom.startsWith("image") && nom.endsWith("a")) ||
                            nom == "speed_bouton_mode_simplifie";
    if (nom == "image0" || nom == "Image0a" || carre_plat) continue;
    const QImage simple = pixels(nom, 1);
    const QImage double_ = pixels(nom, 2);
    const QImage agrandie = simple.scaled(simple.size() * 2, Qt::IgnoreAspectRatio,
                                          Qt::FastTransformation);
    ASSERT_EQ(double_.size(), agrandie.size()) << qPrintable(nom);
    int differents = 0;
    for (int y = 0; y < double_.height(); ++y)
      for (int x = 0; x < double_.width(); ++x) differents += double_.pixel(x, y) != agrandie.pixel(x, y);
    EXPECT_GT(differents, double_.width() * double_.height() / 100) << qPrintable(nom);
  }
}

TEST(Images, une_image_est_gardee_en_cache_par_nom_et_rapport) {
  EXPECT_EQ(image("image3", 2).cacheKey(), image("image3", 2).cacheKey());
  EXPECT_NE(image("image3", 1).cacheKey(), image("image3", 2).cacheKey());
}

}  // namespace
