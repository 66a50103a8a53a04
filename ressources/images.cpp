#include "ressources/images.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "ressources/dessins.h"
#include "ressources/palettes.h"

namespace veltor::ressources {

namespace {

using fonction_de_dessin = std::function<void(QPainter&, qreal)>;

struct description_image {
  QString nom;
  QSize taille;
  profondeur prof = profondeur::vraies_couleurs;
  // La couleur du fond, posée là où rien n'est dessiné : pour les glyphes, celle que le
  // bouton rend transparente. Sans fond, le non-dessiné reste transparent.
  std::optional<QColor> fond;
  fonction_de_dessin dessiner;
};

const QColor argent(192, 192, 192);
const QColor olive(128, 128, 0);
const QColor rouge(255, 0, 0);

// Les couleurs des pièces 1 à 15 : le corps des boules, le remplissage des carrés.
constexpr std::array<std::array<int, 3>, 15> corps_des_boules = {{
    {0, 0, 251},     {0, 251, 0},     {0, 251, 251},   {251, 0, 0},     {251, 0, 251},
    {251, 251, 0},   {251, 251, 251}, {0, 208, 255},   {251, 189, 63},  {251, 189, 189},
    {189, 189, 63},  {126, 126, 189}, {189, 189, 251}, {189, 126, 126}, {251, 126, 0},
}};
constexpr std::array<std::array<int, 3>, 15> remplissage_des_carres = {{
    {192, 192, 192}, {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
}};

QColor en_couleur(const std::array<int, 3>& c) { return QColor(c[0], c[1], c[2]); }

// Adapte une fonction de dessin qui n'a pas besoin du rapport.
template <typename F>
fonction_de_dessin simple(F f) {
  return [f](QPainter& p, qreal) { f(p); };
}

std::vector<description_image> construire_table() {
  using namespace dessins;
  std::vector<description_image> t;
  const QSize case_(28, 28), glyphe(32, 32), petite_disquette(22, 22);
  auto rien = [](QPainter&, qreal) {};

  t.push_back({"image0", case_, profondeur::vraies_couleurs, {}, rien});
  for (int v = 1; v <= 15; ++v) {
    const QColor c = en_couleur(corps_des_boules[v - 1]);
    t.push_back({QString("image%1").arg(v), case_, profondeur::vraies_couleurs, {},
                 simple([c](QPainter& p) { boule(p, c); })});
  }
  t.push_back({"Image0a", case_, profondeur::couleurs_16, {}, rien});
  for (int v = 1; v <= 15; ++v) {
    const QColor c = en_couleur(remplissage_des_carres[v - 1]);
    t.push_back({QString("image%1a").arg(v), case_, profondeur::couleurs_16, {},
                 simple([c](QPainter& p) { carre(p, c); })});
  }
  t.push_back({"Image16", QSize(500, 280), profondeur::vraies_couleurs, {}, fond_de_pierre});

  auto disquette_jaune = simple([](QPainter& p) {
    disquette(p, QColor(255, 255, 0), QColor(153, 153, 0));
  });
  auto disquette_verte = simple([](QPainter& p) {
    disquette(p, QColor(0, 204, 0), QColor(0, 102, 0));
  });
  const auto c256 = profondeur::couleurs_256;
  t.push_back({"speed_bouton_ouvrir_une_partie", petite_disquette, c256, argent, disquette_jaune});
  t.push_back({"speed_bouton_sauver_la_partie_en_cours", petite_disquette, c256, argent,
               disquette_verte});
  t.push_back({"speed_bouton_revenir_en_arriere", glyphe, c256, argent, simple(clap)});
  t.push_back({"speed_bouton_recommencer_le_niveau_en_cours", glyphe, c256, argent,
               simple(poing)});
  t.push_back({"speed_bouton_aide", glyphe, c256, argent, simple(livre_ouvert)});
  t.push_back({"speed_bouton_a_propos", glyphe, c256, argent, simple(page_et_enveloppe)});
  t.push_back({"speed_bouton_vitesse_du_jeu", QSize(24, 31), profondeur::vraies_couleurs, argent,
               simple(tete_d_oiseau)});
  t.push_back({"speed_bouton_quitter", glyphe, c256, rouge, simple(colombe)});
  t.push_back({"son_on", glyphe, c256, argent,
               simple([](QPainter& p) { haut_parleur(p, false); })});
  t.push_back({"son_off", glyphe, c256, argent,
               simple([](QPainter& p) { haut_parleur(p, true); })});
  t.push_back({"speed_bouton_mode_graphique", glyphe, c256, argent, simple(mode_graphique)});
  t.push_back({"speed_bouton_mode_simplifie", glyphe, c256, argent, simple(mode_simplifie)});
  t.push_back({"bouton_v", QSize(32, 16), profondeur::couleurs_16, olive,
               simple(retournement_vertical)});
  t.push_back({"bouton_h", QSize(32, 16), profondeur::couleurs_16, olive,
               simple(retournement_horizontal)});
  t.push_back({"disquette_jaune", petite_disquette, c256, argent, disquette_jaune});
  t.push_back({"disquette_verte", petite_disquette, c256, argent, disquette_verte});
  t.push_back({"bravo", QSize(164, 100), profondeur::vraies_couleurs, {}, simple(bravo)});
  t.push_back({"fin", QSize(412, 208), profondeur::vraies_couleurs, {}, fin});
  t.push_back({"a_propos", QSize(300, 260), profondeur::vraies_couleurs, {}, a_propos});
  t.push_back({"ok", QSize(18, 18), profondeur::couleurs_16, argent, simple(coche_ok)});
  t.push_back({"fermer", QSize(18, 18), profondeur::couleurs_16, argent, simple(porte_ouverte)});
  t.push_back({"icone", glyphe, profondeur::couleurs_16, {},
               simple([](QPainter& p) { icone(p, 32, false); })});
  t.push_back({"icone_grande", QSize(256, 256), profondeur::vraies_couleurs, {},
               simple([](QPainter& p) { icone(p, 256, true); })});
  return t;
}

const std::vector<description_image>& table() {
  static const std::vector<description_image> t = construire_table();
  return t;
}

const description_image* chercher(const QString& nom) {
  for (const auto& d : table())
    if (d.nom == nom) return &d;
  return nullptr;
}

QPixmap rendre(const description_image& d, qreal rapport) {
  const QSize pixels = d.taille * rapport;
  QImage dessin(pixels, QImage::Format_ARGB32_Premultiplied);
  dessin.fill(Qt::transparent);
  {
    QPainter p(&dessin);
    // Les images à palette restent en aplats : aucun lissage qui mêlerait leurs couleurs.
    const bool lisse = d.prof == profondeur::vraies_couleurs;
    p.setRenderHint(QPainter::Antialiasing, lisse);
    p.setRenderHint(QPainter::TextAntialiasing, lisse);
    p.setRenderHint(QPainter::SmoothPixmapTransform, lisse);
    p.scale(rapport, rapport);
    d.dessiner(p, rapport);
  }
  QImage finale = reduire(dessin, d.prof, d.fond);
  QPixmap pixmap = QPixmap::fromImage(finale);
  pixmap.setDevicePixelRatio(rapport);
  return pixmap;
}

}  // namespace

QPixmap image(const QString& nom, qreal rapport) {
  const description_image* d = chercher(nom);
  if (!d || rapport <= 0) return QPixmap();
  // Le cache est vidé quand l'application se termine : un QPixmap ne survit pas à elle.
  static QHash<QPair<QString, qreal>, QPixmap> cache;
  static const bool vidage_prevu = [] {
    qAddPostRoutine([] { cache.clear(); });
    return true;
  }();
  Q_UNUSED(vidage_prevu);
  const auto cle = qMakePair(nom, rapport);
  auto trouvee = cache.constFind(cle);
  if (trouvee != cache.constEnd()) return *trouvee;
  QPixmap rendue = rendre(*d, rapport);
  cache.insert(cle, rendue);
  return rendue;
}

QSize taille(const QString& nom) {
  const description_image* d = chercher(nom);
  return d ? d->taille : QSize();
}

QStringList noms() {
  QStringList liste;
  for (const auto& d : table()) liste << d.nom;
  return liste;
}

}  // namespace veltor::ressources
