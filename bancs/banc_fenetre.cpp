// Les bancs de la fenêtre principale, lancés par bancs/mesurer_fenetre.sh :
//   veltor95-banc-fenetre vide        une fenêtre vide, fermée dès qu'elle est peinte
//   veltor95-banc-fenetre jeu         la fenêtre du jeu démarrée comme par le programme,
//                                     fermée dès qu'elle est peinte
//   veltor95-banc-fenetre etape N     N mesures d'une étape d'animation de 15 entrées
//                                     (le retournement vertical d'un panier plein) ; médiane en µs
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "fenetres/Demarage.h"
#include "fenetres/demarrage_application.h"
#include "jeu/regles.h"

namespace {

// Ferme l'application juste après la première peinture de la fenêtre nommée (ou de l'un de
// ses contrôles : la peinture d'une fenêtre se fait d'un seul tenant, et l'arrêt ne vient
// qu'après elle).
class guetteur : public QObject {
 public:
  explicit guetteur(QString nom) : nom_(std::move(nom)) {}
  bool eventFilter(QObject* objet, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(objet);
    if (e->type() == QEvent::Paint && !vu_ && w != nullptr && w->window()->objectName() == nom_) {
      vu_ = true;
      QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    }
    return QObject::eventFilter(objet, e);
  }

 private:
  QString nom_;
  bool vu_ = false;
};

int fenetre_vide(QApplication& app) {
  QWidget w;
  w.setObjectName(QStringLiteral("vide"));
  w.resize(592, 279);
  guetteur g(w.objectName());
  app.installEventFilter(&g);
  w.show();
  return app.exec();
}

// Le démarrage même du jeu, après le contrôle de l'écran.
int fenetre_du_jeu(QApplication& app) {
  guetteur g(QStringLiteral("fenetre_principale"));
  app.installEventFilter(&g);
  veltor::fenetres::preparer_l_application(app);
  const veltor::fenetres::fenetres_du_jeu fenetres(
      veltor::fenetres::repertoire_de_depart_depuis(std::filesystem::current_path()));
  return app.exec();
}

int etape_d_animation(int mesures) {
  using namespace std::chrono_literals;
  Tfenetre_principale fenetre(std::filesystem::current_path(), 0ns);
  fenetre.show();
  QElapsedTimer attente;
  attente.start();
  while (attente.elapsed() < 300) QCoreApplication::processEvents();
  auto& etat = fenetre.etat();
  veltor::commencer_niveau(etat, fenetre, 2);
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) etat.cellule(1, r, c) = static_cast<veltor::piece>(1 + (r + c) % 15);
  fenetre.redessiner_plateau();
  QCoreApplication::processEvents();

  auto& moteur = fenetre.moteur();
  std::vector<double> durees;
  QElapsedTimer chrono;
  moteur.apres_chaque_etape = [&] {
    durees.push_back(static_cast<double>(chrono.nsecsElapsed()) / 1000.0);
    chrono.restart();
  };
  for (int m = 0; m < mesures; ++m) {
    moteur.vider_liste_des_deplacements();
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 5; ++c)
        moteur.ajouter_deplacement(fenetre.image_de(veltor::lieu::case_du_panier(1, r, c)),
                                   fenetre.image_de(veltor::lieu::case_du_panier(1, 6 - r, c)));
    chrono.restart();
    moteur.animer_deplacements(7);
  }
  std::sort(durees.begin(), durees.end());
  std::printf("etape_15_entrees_us_mediane %.1f\n", durees[durees.size() / 2]);
  std::printf("rapport_de_pixels %.1f\n", fenetre.devicePixelRatioF());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (mode == QStringLiteral("vide")) return fenetre_vide(app);
  if (mode == QStringLiteral("jeu")) return fenetre_du_jeu(app);
  if (mode == QStringLiteral("etape")) return etape_d_animation(argc > 2 ? std::atoi(argv[2]) : 20);
  std::fprintf(stderr, "usage : veltor95-banc-fenetre vide|jeu|etape [N]\n");
  return 2;
}
