// Une longue session au hasard : des dizaines de milliers d'appuis partout sur la fenêtre
// principale (paniers, cases, boutons de retournement, toute la barre d'outils), les
// dialogues avec des emplacements au hasard, la question de sortie répondue « Non ».
// Après chaque appui, l'état et l'écran restent cohérents.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "fenetres/Demarage.h"
#include "fenetres/demarrage_application.h"
#include "fenetres/Suivant.h"
#include "fenetres/fin.h"
#include "fenetres/ouvrir.h"
#include "fenetres/sauver.h"
#include "plateforme/bouton_glyphe.h"
#include "plateforme/image_etiree.h"

using namespace std::chrono_literals;
using veltor::lieu;

namespace {

// Les défauts de cohérence de la fenêtre, en un texte vide quand tout va bien.
std::string defaut_de_coherence(Tfenetre_principale& f) {
  const auto& e = f.etat();
  bool tient_une_piece = false;
  for (int k = 1; k <= 5; ++k) tient_une_piece |= e.haut(k) != 0;
  if ((e.ligne_prise == 1) != tient_une_piece) return "ligne_prise ne suit pas la ligne du haut";
  for (int b = 1; b <= 3; ++b)
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 5; ++c) {
        const auto v = e.cellule(b, r, c);
        if (r < 5 && v != 0 && e.cellule(b, r + 1, c) == 0) return "panier pas tassé";
        if (v != 0 && c < 5 && e.cellule(b, r, c + 1) == v) return "voisins égaux côte à côte";
        if (v != 0 && r < 5 && e.cellule(b, r + 1, c) == v) return "voisins égaux l'un sur l'autre";
        const auto* image = f.image_de(lieu::case_du_panier(b, r, c));
        if (image->image().cacheKey() != f.image_de_piece(e.mode_affichage, v).cacheKey())
          return "l'image d'une case ne montre pas sa pièce";
        if (image->geometry() != image->property("bornes_dessinees").toRect())
          return "une case n'a pas ses bornes";
      }
  for (int k = 1; k <= 5; ++k) {
    const auto* image = f.image_de(lieu::case_du_haut(k));
    if (image->image().cacheKey() != f.image_de_piece(e.mode_affichage, e.haut(k)).cacheKey())
      return "l'image de la ligne du haut ne montre pas sa pièce";
    if (image->geometry() != image->property("bornes_dessinees").toRect())
      return "une case du haut n'a pas ses bornes";
  }
  const auto* numero = f.findChild<QLabel*>(QStringLiteral("texte_numero_niveau"));
  if (numero->text() != QString::number(e.numero_niveau)) return "le numéro du niveau";
  return {};
}

TEST(SessionAleatoire, DesDizainesDeMilliersDAppuisGardentLeJeuCoherent) {
  unsigned graine = 20261211;
  if (const char* g = std::getenv("VELTOR_GRAINE")) graine = static_cast<unsigned>(std::atol(g));
  int nombre_d_appuis = 30000;
  if (const char* n = std::getenv("VELTOR_APPUIS")) nombre_d_appuis = std::atoi(n);
  std::printf("graine %u, %d appuis\n", graine, nombre_d_appuis);
  std::mt19937 hasard(graine);

  const auto dossier = std::filesystem::temp_directory_path() /
                       ("veltor-session-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dossier);
  using veltor::fenetres::fenetres_du_jeu;
  auto jeu = std::make_unique<fenetres_du_jeu>(dossier, 0ns);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(jeu->principale.get()));

  int modales = 0, niveaux_finis = 0;
  // Chaque fenêtre modale reçoit une réponse au hasard, comme d'un joueur.
  QTimer repondeur;
  QObject::connect(&repondeur, &QTimer::timeout, [&] {
    QWidget* modale = QApplication::activeModalWidget();
    if (modale == nullptr) return;
    ++modales;
    if (auto* boite = qobject_cast<QMessageBox*>(modale)) {
      for (QAbstractButton* b : boite->buttons())
        if (b->text() == QStringLiteral("&Non") || b->text() == QStringLiteral("OK")) b->click();
      return;
    }
    if (modale == jeu->suivant.get()) {
      ++niveaux_finis;
      modale->close();
      return;
    }
    if (modale == jeu->ouvrir.get() || modale == jeu->sauver.get()) {
      const int choix = std::uniform_int_distribution<int>(0, 6)(hasard);
      auto* fermer = modale->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"));
      auto* slot = modale->findChild<QAbstractButton*>(QStringLiteral("speed_bouton_sauver_%1").arg(choix + 1));
      if (choix < 6 && slot->isEnabled()) slot->click();
      if (modale->isVisible()) fermer->click();
      return;
    }
    if (auto* bouton = modale->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))) {
      bouton->click();  // la fenêtre de fin
      return;
    }
    modale->close();  // la boîte A propos
  });
  repondeur.start(0);

  std::uniform_int_distribution<int> x_au_hasard(0, 591), y_au_hasard(0, 278);
  std::uniform_int_distribution<int> bouton_au_hasard(0, 9);
  for (int i = 0; i < nombre_d_appuis; ++i) {
    if (jeu->principale->partie_finie()) {
      jeu.reset();
      jeu = std::make_unique<fenetres_du_jeu>(dossier, 0ns);
      ASSERT_TRUE(QTest::qWaitForWindowExposed(jeu->principale.get()));
    }
    const QPoint point(x_au_hasard(hasard), y_au_hasard(hasard));
    const int b = bouton_au_hasard(hasard);
    const Qt::MouseButton bouton = b < 7 ? Qt::LeftButton : (b < 9 ? Qt::RightButton : Qt::MiddleButton);
    QTest::mouseClick(jeu->principale->windowHandle(), bouton, {}, point);
    const std::string defaut = defaut_de_coherence(*jeu->principale);
    ASSERT_EQ(defaut, "") << "appui " << i << " en (" << point.x() << ", " << point.y()
                          << "), graine " << graine;
  }
  std::printf("%d fenêtres modales, %d niveaux finis, niveau %d à la fin\n", modales,
              niveaux_finis, jeu->principale->etat().numero_niveau);
  repondeur.stop();
  jeu.reset();
  std::filesystem::remove_all(dossier);
}

}  // namespace
