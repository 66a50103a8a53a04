// Les glyphes : barre d'outils, sources des deux interrupteurs, retournements, boutons
// standard. Sauf la tête d'oiseau (vraies couleurs), ils sont dessinés sans lissage et
// ramenés ensuite à leur palette ; le fond (la couleur transparente) est posé après coup
// là où rien n'est dessiné.
#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include "ressources/dessins.h"

namespace veltor::ressources::dessins {

namespace {

const QColor noir(0, 0, 0);
const QColor blanc(255, 255, 255);
const QColor gris(128, 128, 128);
const QColor gris_fonce(64, 64, 64);
const QColor rouge(255, 0, 0);
const QColor bleu_vif(0, 0, 255);
const QColor bleu_marine(0, 0, 128);

void polygone(QPainter& p, const QPolygonF& points, QColor remplissage,
              QColor contour = Qt::transparent, qreal epaisseur = 1) {
  p.setBrush(remplissage);
  if (contour.alpha() == 0)
    p.setPen(Qt::NoPen);
  else
    p.setPen(QPen(contour, epaisseur, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPolygon(points);
}

void rectangle(QPainter& p, QRectF r, QColor remplissage, QColor contour) {
  p.setPen(QPen(contour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(remplissage);
  p.drawRect(r);
}

void trait(QPainter& p, QPointF a, QPointF b, QColor couleur, qreal epaisseur = 1) {
  p.setPen(QPen(couleur, epaisseur, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(a, b);
}

QFont police(const char* famille, qreal pixels, bool gras) {
  QFont f(famille);
  f.setPixelSize(static_cast<int>(pixels));
  f.setBold(gras);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

}  // namespace

void disquette(QPainter& p, QColor corps, QColor ombre) {
  // Le corps, coin haut droit coupé, ombré à droite et en bas.
  polygone(p, {{1, 1}, {18, 1}, {21, 4}, {21, 21}, {1, 21}}, ombre, noir);
  polygone(p, {{2, 2}, {17.5, 2}, {19.5, 4}, {19.5, 19.5}, {2, 19.5}}, corps);
  // Le volet métallique et sa fente.
  rectangle(p, QRectF(6, 1, 10, 7), QColor(204, 204, 204), noir);
  p.fillRect(QRectF(12, 2, 2.5, 5), gris_fonce);
  p.fillRect(QRectF(7, 7, 9, 1), gris);
  // L'étiquette et ses lignes.
  rectangle(p, QRectF(4, 11, 14, 10), blanc, noir);
  p.fillRect(QRectF(6, 14, 10, 1), bleu_marine);
  p.fillRect(QRectF(6, 17, 8, 1), bleu_marine);
}

void clap(QPainter& p) {
  // L'ardoise.
  rectangle(p, QRectF(2, 12, 27, 18), QColor(34, 34, 34), noir);
  // La barre fixe et le battant ouvert, rayés de noir et de blanc.
  QPainterPath barre;
  barre.addRect(QRectF(2, 9, 27, 3));
  QPainterPath battant;
  battant.addPolygon(QPolygonF({QPointF(2, 8), QPointF(28, 1), QPointF(29, 4.5), QPointF(3, 11)}));
  battant.closeSubpath();
  for (const QPainterPath& piece : {barre, battant}) {
    p.setPen(Qt::NoPen);
    p.setBrush(noir);
    p.drawPath(piece);
    p.save();
    p.setClipPath(piece);
    for (int x = -4; x < 34; x += 7)
      polygone(p, {{qreal(x), 12}, {qreal(x) + 3.5, 12}, {qreal(x) + 8.5, 0}, {qreal(x) + 5, 0}},
               blanc);
    p.restore();
    p.setPen(QPen(noir, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(piece);
  }
  // Le charnière, et les mots écrits à la craie.
  p.fillRect(QRectF(2, 8, 2, 4), gris);
  p.setPen(blanc);
  p.setFont(police("Liberation Sans", 7, true));
  p.drawText(QRectF(3, 13, 25, 8), Qt::AlignCenter, "SCENE");
  p.setFont(police("Liberation Sans", 6.5, true));
  p.drawText(QRectF(3, 21, 25, 8), Qt::AlignCenter, "TAKE 2");
  p.fillRect(QRectF(4, 21, 23, 1), QColor(153, 153, 153));
}

void poing(QPainter& p) {
  const QColor peau(255, 204, 153), ombre(204, 153, 102), trait_fonce(102, 51, 0);
  // La manchette.
  rectangle(p, QRectF(9, 26, 15, 5), QColor(0, 0, 204), noir);
  // Le dos de la main, large et trapu.
  p.setPen(QPen(trait_fonce, 1));
  p.setBrush(ombre);
  p.drawRoundedRect(QRectF(6, 11, 20, 16), 4, 4);
  // Les quatre doigts repliés : les jointures en haut, la deuxième phalange en dessous.
  for (int i = 0; i < 4; ++i) {
    const qreal x = 6 + 5 * i, haut = 7 + (i == 0 ? 2 : (i == 3 ? 1 : 0));
    p.setPen(QPen(trait_fonce, 1));
    p.setBrush(peau);
    p.drawRoundedRect(QRectF(x, haut, 5, 12), 2.5, 2.5);
    trait(p, {x + 1, haut + 5}, {x + 4, haut + 5}, trait_fonce);
    trait(p, {x + 1.5, haut + 1.5}, {x + 3, haut + 1.5}, blanc);
  }
  // Le pouce replié en travers des doigts, jusqu'au milieu de la main.
  p.setPen(QPen(trait_fonce, 1));
  p.setBrush(peau);
  p.drawRoundedRect(QRectF(4, 17, 18, 6), 3, 3);
  trait(p, {17, 19}, {20, 19}, ombre);
}

void livre_ouvert(QPainter& p) {
  // La couverture, dépassant sous les pages.
  polygone(p, {{1, 8}, {16, 11}, {31, 8}, {31, 27}, {16, 30}, {1, 27}}, QColor(153, 0, 0), noir);
  // Les deux pages, bombées vers la reliure.
  polygone(p, {{2, 6}, {15, 9}, {15, 27}, {2, 24}}, blanc, gris_fonce);
  polygone(p, {{17, 9}, {30, 6}, {30, 24}, {17, 27}}, QColor(238, 238, 238), gris_fonce);
  trait(p, {16, 9}, {16, 28}, noir);
  // Les lignes écrites, qui suivent la pente des pages.
  for (int i = 0; i < 6; ++i) {
    const qreal y = 10.5 + 2.5 * i;
    trait(p, {4, y}, {13, y + 2}, QColor(51, 51, 102));
    trait(p, {19, y + 2}, {28, y}, QColor(51, 51, 102));
  }
}

void page_et_enveloppe(QPainter& p) {
  // L'enveloppe, derrière, et son rabat.
  rectangle(p, QRectF(10, 3, 20, 15), QColor(255, 255, 204), noir);
  p.setPen(QPen(gris, 1));
  p.drawPolyline(QPolygonF({QPointF(10, 3), QPointF(20, 11), QPointF(30, 3)}));
  p.fillRect(QRectF(23, 5, 4, 4), rouge);  // le timbre
  // La page écrite, devant, coin replié.
  polygone(p, {{3, 9}, {15, 9}, {20, 14}, {20, 30}, {3, 30}}, blanc, noir);
  polygone(p, {{15, 9}, {15, 14}, {20, 14}}, QColor(204, 204, 204), noir);
  for (int i = 0; i < 6; ++i) {
    const qreal y = 13 + 2.7 * i;
    const qreal fin = (i == 0 ? 13 : (i == 5 ? 12 : 17));
    trait(p, {5, y}, {fin, y}, i == 0 ? bleu_marine : QColor(51, 51, 51));
  }
}

void tete_d_oiseau(QPainter& p) {
  const QColor bleu_nuit(20, 30, 120), plume(60, 110, 220), orange(255, 140, 0);
  // La crête, trois mèches rejetées en arrière.
  QPainterPath crete;
  crete.moveTo(6, 12);
  crete.cubicTo(1, 7, 2, 3, 0.5, 0.5);
  crete.cubicTo(5, 3, 7, 5, 9, 8);
  crete.cubicTo(8, 4, 9, 1.5, 8.5, 0.3);
  crete.cubicTo(12, 3, 13, 6, 13, 9);
  crete.cubicTo(14, 6, 16, 4.5, 17.5, 4);
  crete.cubicTo(16, 8, 16, 10, 15, 13);
  crete.closeSubpath();
  p.setPen(QPen(QColor(5, 10, 50), 0.7));
  p.setBrush(bleu_nuit);
  p.drawPath(crete);
  // Le cou et la tête.
  QLinearGradient degrade(4, 8, 16, 28);
  degrade.setColorAt(0, plume.lighter(130));
  degrade.setColorAt(1, plume.darker(140));
  p.setBrush(degrade);
  QPainterPath tete;
  tete.setFillRule(Qt::WindingFill);
  tete.addEllipse(QPointF(10, 15), 7.5, 7);
  tete.addRect(QRectF(5.5, 18, 8.5, 13));
  tete.addPolygon(QPolygonF{{12, 16}, {18, 19.5}, {14, 25}, {12, 25}});
  p.drawPath(tete.simplified());
  // Le bec, long, ouvert en pointe vers la droite et le bas.
  QPainterPath bec;
  bec.moveTo(14, 13);
  bec.cubicTo(18.5, 13.5, 22, 18, 23.7, 27);
  bec.cubicTo(21, 22.5, 18, 20, 14.5, 19.5);
  bec.closeSubpath();
  QLinearGradient dore(14, 14, 22, 22);
  dore.setColorAt(0, QColor(255, 190, 60));
  dore.setColorAt(1, orange.darker(115));
  p.setPen(QPen(QColor(140, 60, 0), 0.7));
  p.setBrush(dore);
  p.drawPath(bec);
  p.drawLine(QPointF(15, 16.5), QPointF(22, 22.5));
  // L'œil, grand, au regard vif.
  p.setPen(QPen(noir, 0.6));
  p.setBrush(blanc);
  p.drawEllipse(QPointF(11, 12.5), 3, 3.4);
  p.setPen(Qt::NoPen);
  p.setBrush(noir);
  p.drawEllipse(QPointF(12.2, 12.8), 1.4, 1.7);
  p.setBrush(blanc);
  p.drawEllipse(QPointF(12.6, 12.2), 0.5, 0.5);
}

void colombe(QPainter& p) {
  // L'aile arrière, grisée, levée.
  polygone(p, {{13, 15}, {9, 6}, {11, 2}, {18, 12}}, QColor(204, 204, 204), gris);
  // Le corps et la queue en éventail.
  QPainterPath corps;
  corps.moveTo(4, 13);
  corps.cubicTo(6, 10, 10, 12, 14, 14);
  corps.cubicTo(19, 15, 23, 15, 30, 13);
  corps.lineTo(31, 18);
  corps.lineTo(26, 19);
  corps.cubicTo(20, 22, 12, 22, 7, 17);
  corps.lineTo(2, 16);
  corps.closeSubpath();
  p.setPen(QPen(gris, 1));
  p.setBrush(blanc);
  p.drawPath(corps);
  // L'aile avant, grande ouverte, ses rémiges marquées.
  polygone(p, {{13, 15}, {17, 4}, {23, 1}, {27, 2}, {23, 8}, {21, 15}}, blanc, gris);
  trait(p, {18, 8}, {24, 3}, gris);
  trait(p, {18, 11}, {24, 6}, gris);
  // Le bec et l'œil.
  polygone(p, {{2, 14}, {4, 12.5}, {4, 15.5}}, QColor(255, 204, 0));
  p.fillRect(QRectF(6, 13, 1, 1), noir);
}

void haut_parleur(QPainter& p, bool barre) {
  const QColor jaune(255, 255, 0), jaune_ombre(204, 153, 0);
  rectangle(p, QRectF(3, 12, 6, 8), jaune, noir);
  polygone(p, {{9, 12}, {16, 5}, {16, 27}, {9, 20}}, jaune, noir);
  polygone(p, {{10, 19}, {15, 24}, {15, 26}, {10, 20.5}}, jaune_ombre);
  p.fillRect(QRectF(4, 18, 4, 1), jaune_ombre);
  // Les ondes.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 153), 1.5));
  for (int i = 0; i < 3; ++i) {
    const qreal r = 4 + 4 * i;
    p.drawArc(QRectF(15 - r, 16 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
  }
  if (barre) {
    trait(p, {4, 4}, {28, 28}, rouge, 3.5);
    trait(p, {28, 4}, {4, 28}, rouge, 3.5);
  }
}

void mode_graphique(QPainter& p) {
  p.fillRect(QRectF(3, 3, 26, 26), noir);
  QRadialGradient degrade(QPointF(14, 14), 13, QPointF(11, 10));
  degrade.setColorAt(0, QColor(255, 160, 160));
  degrade.setColorAt(0.3, QColor(255, 0, 0));
  degrade.setColorAt(0.75, QColor(204, 0, 0));
  degrade.setColorAt(1, QColor(90, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(degrade);
  p.drawEllipse(QPointF(16, 16), 11.5, 11.5);
  p.setBrush(blanc);
  p.drawEllipse(QPointF(11, 10.5), 2, 2);
  p.drawEllipse(QPointF(15, 7.5), 0.8, 0.8);
}

void mode_simplifie(QPainter& p) {
  p.fillRect(QRectF(3, 3, 26, 26), noir);
  p.fillRect(QRectF(6, 6, 20, 20), noir);
  p.fillRect(QRectF(7, 7, 18, 18), rouge);
}

namespace {

// Le triangle d'un retournement dans un carré de 16, coupé par son axe rouge ; `grise`
// ne garde que le contour, en gris doublé de blanc.
void triangle_coupe(QPainter& p, bool vertical, bool grise) {
  // Les deux moitiés du triangle, de part et d'autre de l'axe.
  const QPolygonF moitie_claire = vertical ? QPolygonF{{7.5, 1}, {1, 14}, {7.5, 14}}
                                           : QPolygonF{{1, 7.5}, {14, 1}, {14, 7.5}};
  const QPolygonF moitie_sombre = vertical ? QPolygonF{{7.5, 1}, {14, 14}, {7.5, 14}}
                                           : QPolygonF{{1, 7.5}, {14, 14}, {14, 7.5}};
  const QPolygonF contour = vertical ? QPolygonF({QPointF(7.5, 1), QPointF(14, 14), QPointF(1, 14)})
                                     : QPolygonF({QPointF(1, 7.5), QPointF(14, 1), QPointF(14, 14)});
  const QRectF axe = vertical ? QRectF(7, 0, 1, 16) : QRectF(0, 7, 16, 1);
  if (!grise) {
    polygone(p, moitie_claire, bleu_vif);
    polygone(p, moitie_sombre, bleu_marine);
    p.setPen(QPen(noir, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(contour);
    p.fillRect(axe, rouge);
    return;
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(blanc, 1));
  p.drawPolygon(contour.translated(1, 1));
  p.fillRect(axe.translated(1, 1), blanc);
  p.setPen(QPen(gris, 1));
  p.drawPolygon(contour);
  p.fillRect(axe, gris);
}

}  // namespace

void retournement_vertical(QPainter& p) {
  triangle_coupe(p, true, false);
  p.translate(16, 0);
  triangle_coupe(p, true, true);
}

void retournement_horizontal(QPainter& p) {
  triangle_coupe(p, false, false);
  p.translate(16, 0);
  triangle_coupe(p, false, true);
}

void coche_ok(QPainter& p) {
  polygone(p, {{2, 9}, {4.5, 6.5}, {7, 9}, {14, 2}, {16.5, 4.5}, {7, 14}}, QColor(0, 128, 0),
           noir);
  trait(p, {4.5, 8}, {7, 10.5}, QColor(0, 255, 0));
  trait(p, {7.5, 10}, {14, 3.5}, QColor(0, 255, 0));
}

void porte_ouverte(QPainter& p) {
  // Le chambranle et l'ouverture, sombre.
  rectangle(p, QRectF(6, 1, 10, 16), QColor(0, 0, 0), noir);
  p.fillRect(QRectF(7, 2, 8, 14), bleu_marine);
  p.fillRect(QRectF(7, 15, 8, 1), gris);  // le seuil
  // Le battant, ouvert vers soi, et sa poignée.
  polygone(p, {{1, 3}, {6, 1}, {6, 17}, {1, 16}}, QColor(128, 0, 0), noir);
  p.fillRect(QRectF(2, 9, 1, 2), QColor(255, 255, 0));
}

}  // namespace veltor::ressources::dessins
