// Les grands tableaux : le fond de pierre de la fenêtre principale, BRAVO, la fin du jeu,
// la boîte « à propos », et l'icône. Les textures sont calculées pixel par pixel au rapport
// demandé ; le reste est peint par-dessus.
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "ressources/dessins.h"
#include "ressources/texture.h"

namespace veltor::ressources::dessins {

namespace {

double borne(double v) { return std::clamp(v, 0.0, 1.0); }

QColor rvb(double r, double v, double b) {
  return QColor::fromRgbF(static_cast<float>(borne(r)), static_cast<float>(borne(v)),
                          static_cast<float>(borne(b)));
}

// Une boule dorée et brillante ; `teinte` colore le bord tourné vers une lumière colorée
// venue de `cote_lumiere` (-1 gauche, +1 droite, 0 aucune).
void boule_doree(QPainter& p, QPointF centre, qreal r, QColor teinte = Qt::transparent,
                 int cote_lumiere = 0) {
  p.setPen(Qt::NoPen);
  // L'ombre portée, en bas à droite.
  QRadialGradient ombre(centre + QPointF(r * 0.35, r * 0.45), r * 1.15);
  ombre.setColorAt(0, QColor(0, 0, 0, 130));
  ombre.setColorAt(1, QColor(0, 0, 0, 0));
  p.setBrush(ombre);
  p.drawEllipse(centre + QPointF(r * 0.35, r * 0.45), r * 1.15, r * 1.15);

  QRadialGradient corps(centre, r, centre - QPointF(r * 0.4, r * 0.45));
  corps.setColorAt(0, QColor(255, 250, 205));
  corps.setColorAt(0.2, QColor(250, 210, 90));
  corps.setColorAt(0.6, QColor(205, 145, 25));
  corps.setColorAt(0.9, QColor(120, 70, 5));
  corps.setColorAt(1, QColor(70, 38, 0));
  p.setBrush(corps);
  p.drawEllipse(centre, r, r);
  if (cote_lumiere != 0 && teinte.alpha() != 0) {
    QRadialGradient bord(centre + QPointF(cote_lumiere * r * 0.95, 0), r * 1.1);
    QColor t = teinte;
    t.setAlpha(190);
    bord.setColorAt(0, t);
    t.setAlpha(0);
    bord.setColorAt(1, t);
    p.setBrush(bord);
    p.drawEllipse(centre, r, r);
  }
  QRadialGradient reflet(centre - QPointF(r * 0.38, r * 0.42), r * 0.3);
  reflet.setColorAt(0, QColor(255, 255, 255, 255));
  reflet.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(reflet);
  p.drawEllipse(centre - QPointF(r * 0.38, r * 0.42), r * 0.3, r * 0.3);
}

// Une lueur : un halo doux, un cœur blanc et quatre rais fins.
void lueur(QPainter& p, QPointF centre, qreal rayon, QColor couleur, qreal rais) {
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Plus);
  p.setPen(Qt::NoPen);
  QRadialGradient halo(centre, rayon);
  QColor c = couleur;
  halo.setColorAt(0, QColor(255, 255, 255, 255));
  c.setAlpha(200);
  halo.setColorAt(0.08, c);
  c.setAlpha(70);
  halo.setColorAt(0.35, c);
  c.setAlpha(0);
  halo.setColorAt(1, c);
  p.setBrush(halo);
  p.drawEllipse(centre, rayon, rayon);
  for (int i = 0; i < 2; ++i) {
    QLinearGradient rai(i == 0 ? QPointF(centre.x() - rais, 0) : QPointF(0, centre.y() - rais),
                        i == 0 ? QPointF(centre.x() + rais, 0) : QPointF(0, centre.y() + rais));
    QColor r = couleur;
    r.setAlpha(0);
    rai.setColorAt(0, r);
    rai.setColorAt(0.5, QColor(255, 255, 255, 230));
    rai.setColorAt(1, r);
    p.setBrush(rai);
    const qreal e = std::max<qreal>(0.6, rayon * 0.03);
    if (i == 0)
      p.drawRect(QRectF(centre.x() - rais, centre.y() - e, 2 * rais, 2 * e));
    else
      p.drawRect(QRectF(centre.x() - e, centre.y() - rais, 2 * e, 2 * rais));
  }
  p.restore();
}

// Un marbre : des veines sinueuses sur un fond nuageux, entre trois couleurs.
QColor marbre(double x, double y, unsigned graine, QColor sombre, QColor moyen, QColor clair) {
  const double turbulence = bruit_fractal(x / 70.0, y / 70.0, graine, 5);
  const double veine = std::fabs(std::sin(x * 0.025 + y * 0.04 + 9.0 * turbulence));
  const double nuage = bruit_fractal(x / 25.0, y / 25.0, graine + 7u, 4);
  double t = 0.25 + 0.6 * nuage;
  const double fil = std::pow(1.0 - veine, 6.0);
  auto mel = [](QColor a, QColor b, double u) {
    return rvb(a.redF() + (b.redF() - a.redF()) * u, a.greenF() + (b.greenF() - a.greenF()) * u,
               a.blueF() + (b.blueF() - a.blueF()) * u);
  };
  QColor fond = t < 0.5 ? mel(sombre, moyen, t * 2) : mel(moyen, clair, (t - 0.5) * 2);
  return mel(fond, clair, fil * 0.85);
}

QPainterPath texte_en_chemin(const QString& texte, const QFont& f, QRectF cadre,
                             Qt::Alignment alignement) {
  const QFontMetricsF m(f);
  const QRectF encre = m.tightBoundingRect(texte);
  qreal x = cadre.left() - encre.left();
  if (alignement & Qt::AlignHCenter) x = cadre.center().x() - encre.center().x();
  const qreal y = cadre.center().y() - encre.center().y();
  QPainterPath chemin;
  chemin.addText(QPointF(x, y), f, texte);
  return chemin;
}

}  // namespace

void fond_de_pierre(QPainter& p, qreal rapport) {
  const QImage pierre = texture(500, 280, rapport, [](double x, double y) {
    const double grain = bruit_fractal(x / 45.0, y / 45.0, 11u, 5);
    const double tache = bruit_fractal(x / 9.0, y / 9.0, 23u, 3);
    const double poussiere = bruit(x / 1.7, y / 1.7, 31u);
    double v = 0.35 + 0.45 * grain + 0.25 * (tache - 0.5);
    if (poussiere > 0.86) v -= 0.12;
    if (poussiere < 0.08) v += 0.08;
    // Les lumières colorées : vert à gauche, violet en haut à droite, bleu en bas à droite.
    const double vert = std::exp(-((x + 30) * (x + 30)) / (2 * 150.0 * 150.0));
    const double violet = std::exp(-((x - 520) * (x - 520) + (y + 20) * (y + 20)) / (2 * 170.0 * 170.0));
    const double bleu = std::exp(-((x - 520) * (x - 520) + (y - 300) * (y - 300)) / (2 * 170.0 * 170.0));
    const double r = v * (0.62 + 0.45 * violet - 0.2 * vert);
    const double g = v * (0.70 + 0.35 * vert - 0.1 * violet);
    const double b = v * (0.58 + 0.45 * violet + 0.55 * bleu);
    return rvb(r, g, b);
  });
  p.drawImage(QRectF(0, 0, 500, 280), pierre);

  // Les boules dorées, là où le plateau ne les cache pas : surtout au-dessus des portes.
  struct boule_du_fond {
    qreal x, y, r;
  };
  const boule_du_fond boules[] = {
      {26, 34, 22}, {72, 22, 13}, {104, 56, 17}, {140, 18, 9},  {150, 74, 8},  {192, 24, 10},
      {298, 20, 8}, {326, 28, 11}, {360, 60, 15}, {396, 24, 18}, {446, 58, 21}, {484, 16, 12},
      {60, 74, 9},  {240, 278, 6}, {168, 200, 4}, {332, 150, 4}, {488, 280, 9}, {4, 276, 7},
  };
  for (const auto& b : boules) {
    const int cote = b.x < 250 ? -1 : 1;
    const QColor teinte = b.x < 250 ? QColor(60, 255, 90) : (b.y < 60 ? QColor(190, 80, 255)
                                                                      : QColor(70, 120, 255));
    boule_doree(p, QPointF(b.x, b.y), b.r, teinte, cote);
  }
  // Les halos des trois lumières.
  p.save();
  p.setCompositionMode(QPainter::CompositionMode_Screen);
  p.setPen(Qt::NoPen);
  auto halo = [&](QPointF c, qreal r, QColor couleur) {
    QRadialGradient g(c, r);
    couleur.setAlpha(120);
    g.setColorAt(0, couleur);
    couleur.setAlpha(0);
    g.setColorAt(1, couleur);
    p.setBrush(g);
    p.drawRect(QRectF(0, 0, 500, 280));
  };
  halo({-20, 60}, 170, QColor(40, 220, 60));
  halo({510, 10}, 150, QColor(170, 60, 230));
  halo({510, 270}, 170, QColor(40, 80, 240));
  p.restore();
}

void bravo(QPainter& p) {
  QLinearGradient ciel(0, 0, 0, 100);
  ciel.setColorAt(0, QColor(0, 10, 80));
  ciel.setColorAt(0.5, QColor(30, 100, 230));
  ciel.setColorAt(1, QColor(0, 20, 110));
  p.fillRect(QRectF(0, 0, 164, 100), ciel);

  QFont f("Liberation Serif");
  f.setPixelSize(44);
  f.setBold(true);
  const QPainterPath mot = texte_en_chemin("BRAVO", f, QRectF(0, 0, 164, 100), Qt::AlignHCenter);
  p.setPen(Qt::NoPen);
  // Le relief : une arête claire en haut à gauche, une ombre en bas à droite.
  p.setBrush(QColor(0, 0, 30, 170));
  p.drawPath(mot.translated(3, 3.5));
  p.setBrush(QColor(90, 50, 0));
  p.drawPath(mot.translated(1.5, 1.5));
  p.setBrush(QColor(255, 250, 200));
  p.drawPath(mot.translated(-1, -1));
  QLinearGradient or_(0, 30, 0, 70);
  or_.setColorAt(0, QColor(255, 240, 150));
  or_.setColorAt(0.45, QColor(235, 180, 40));
  or_.setColorAt(0.55, QColor(170, 105, 10));
  or_.setColorAt(1, QColor(245, 205, 90));
  p.setBrush(or_);
  p.drawPath(mot);
  p.setPen(QPen(QColor(110, 60, 0), 0.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(mot);
}

void fin(QPainter& p, qreal rapport) {
  const QImage centre = texture(412, 208, rapport, [](double x, double y) {
    return marbre(x, y, 41u, QColor(0, 22, 26), QColor(0, 62, 70), QColor(70, 160, 160));
  });
  p.drawImage(QRectF(0, 0, 412, 208), centre);
  // Le cadre : une bande sombre garnie de boules dorées serrées.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 12, 0));
  QPainterPath bande;
  bande.addRect(QRectF(0, 0, 412, 208));
  bande.addRect(QRectF(18, 18, 376, 172));
  p.drawPath(bande);
  const qreal r = 8.4;
  const int en_largeur = 24, en_hauteur = 12;
  for (int i = 0; i < en_largeur; ++i) {
    const qreal x = r + 0.5 + i * (412 - 2 * r - 1) / (en_largeur - 1);
    boule_doree(p, QPointF(x, r + 0.5), r);
    boule_doree(p, QPointF(x, 208 - r - 0.5), r);
  }
  for (int j = 1; j < en_hauteur - 1; ++j) {
    const qreal y = r + 0.5 + j * (208 - 2 * r - 1) / (en_hauteur - 1);
    boule_doree(p, QPointF(r + 0.5, y), r);
    boule_doree(p, QPointF(412 - r - 0.5, y), r);
  }
  // L'ombre du cadre sur le marbre, et la petite lueur.
  QLinearGradient ombre(0, 18, 0, 30);
  ombre.setColorAt(0, QColor(0, 0, 0, 140));
  ombre.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(QRectF(18, 18, 376, 12), ombre);
  lueur(p, QPointF(70, 52), 30, QColor(150, 255, 240), 22);
}

void a_propos(QPainter& p, qreal rapport) {
  const QImage fond = texture(300, 260, rapport, [](double x, double y) {
    return marbre(x, y, 73u, QColor(45, 12, 4), QColor(115, 42, 18), QColor(200, 110, 60));
  });
  p.drawImage(QRectF(0, 0, 300, 260), fond);
  lueur(p, QPointF(150, 140), 120, QColor(255, 200, 140), 110);

  // VELTOR en capitales de métal gris, en haut à gauche.
  QFont f("Liberation Sans");
  f.setPixelSize(46);
  f.setBold(true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  const QPainterPath mot = texte_en_chemin("VELTOR", f, QRectF(14, 12, 0, 52), Qt::AlignLeft);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 160));
  p.drawPath(mot.translated(3, 3));
  QLinearGradient metal(0, 14, 0, 62);
  metal.setColorAt(0, QColor(250, 250, 252));
  metal.setColorAt(0.42, QColor(160, 162, 168));
  metal.setColorAt(0.5, QColor(85, 87, 92));
  metal.setColorAt(0.62, QColor(190, 192, 198));
  metal.setColorAt(1, QColor(110, 112, 118));
  p.setBrush(metal);
  p.setPen(QPen(QColor(40, 40, 45), 1));
  p.drawPath(mot);
  p.setPen(QPen(QColor(255, 255, 255, 150), 0.6));
  p.setBrush(Qt::NoBrush);
  p.drawPath(mot.translated(-0.6, -0.6));
}

void icone(QPainter& p, int cote, bool lisse) {
  p.save();
  p.scale(cote / 32.0, cote / 32.0);
  // La porte de panier, bordeaux, et son biseau ; le panier noir.
  p.fillRect(QRectF(0, 0, 32, 32), QColor(128, 0, 0));
  p.fillRect(QRectF(0, 0, 32, 1), QColor(255, 0, 0));
  p.fillRect(QRectF(0, 0, 1, 32), QColor(255, 0, 0));
  p.fillRect(QRectF(0, 31, 32, 1), Qt::black);
  p.fillRect(QRectF(31, 0, 1, 32), Qt::black);
  p.fillRect(QRectF(3, 3, 26, 26), Qt::black);
  // Trois rangées de pièces, deux pareilles côte à côte en bas.
  const QColor couleurs[9] = {QColor(255, 255, 0), Qt::transparent, QColor(0, 255, 255),
                              QColor(0, 255, 0),   QColor(255, 0, 255), QColor(0, 0, 255),
                              QColor(255, 0, 0),   QColor(255, 0, 0),   QColor(0, 255, 0)};
  // En 16 couleurs, la boule est faite de deux aplats : sa teinte sombre au bord, la vive
  // décalée vers la lumière, et un point blanc.
  const QColor sombres[9] = {QColor(128, 128, 0), Qt::transparent,     QColor(0, 128, 128),
                             QColor(0, 128, 0),   QColor(128, 0, 128), QColor(0, 0, 128),
                             QColor(128, 0, 0),   QColor(128, 0, 0),   QColor(0, 128, 0)};
  for (int i = 0; i < 9; ++i) {
    if (couleurs[i].alpha() == 0) continue;
    const QPointF centre(8 + 8 * (i % 3), 8 + 8 * (i / 3));
    const QColor c = couleurs[i];
    p.setPen(Qt::NoPen);
    if (lisse) {
      QRadialGradient g(centre, 3.8, centre - QPointF(1.3, 1.3));
      g.setColorAt(0, c.lighter(170));
      g.setColorAt(0.35, c);
      g.setColorAt(1, c.darker(250));
      p.setBrush(g);
      p.drawEllipse(centre, 3.6, 3.6);
    } else {
      p.setBrush(sombres[i]);
      p.drawEllipse(centre, 3.7, 3.7);
      p.setBrush(c);
      p.drawEllipse(centre - QPointF(0.5, 0.5), 2.8, 2.8);
    }
    p.setBrush(Qt::white);
    p.drawEllipse(centre - QPointF(1.4, 1.4), 0.8, 0.8);
  }
  p.restore();
}

}  // namespace veltor::ressources::dessins
