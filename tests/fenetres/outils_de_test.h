// Ce que les tests des fenêtres partagent : des requêtes muettes pour l'enregistreur, des
// appuis de souris qui passent par la fenêtre comme ceux d'un joueur, et la fermeture des
// fenêtres modales.
#pragma once

#include <QApplication>
#include <QPoint>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <string>

#include "jeu/requetes.h"

namespace veltor::essais {

class requetes_muettes : public requetes {
 public:
  void memoriser_historique() override {}
  void vider_liste_des_deplacements() override {}
  void ajouter_deplacement(lieu, lieu) override {}
  void animer_deplacements() override {}
  void repeindre_en_attente() override {}
  void effacer_cases() override {}
  void redessiner_plateau() override {}
  void jouer_son_niveau() override {}
  void montrer_fenetre_suivant(const std::string&) override {}
  void montrer_fenetre_fin() override {}
  void terminer_programme() override {}
};

// Un appui de souris envoyé à la fenêtre de haut niveau, au point `point` du contrôle :
// c'est Qt qui trouve le contrôle sous la souris, comme pour un vrai appui.
inline void appuyer(QWidget* controle, Qt::MouseButton bouton = Qt::LeftButton,
                    QPoint point = QPoint(-1, -1)) {
  if (point == QPoint(-1, -1)) point = controle->rect().center();
  QWidget* haut = controle->window();
  const QPoint dans_la_fenetre = controle->mapTo(haut, point);
  QTest::mousePress(haut->windowHandle(), bouton, {}, dans_la_fenetre);
  QTest::mouseRelease(haut->windowHandle(), bouton, {}, dans_la_fenetre);
}

// Tant qu'elle vit, chaque fenêtre modale qui s'ouvre reçoit `action` (par défaut : fermée).
class fermeur_de_modales {
 public:
  explicit fermeur_de_modales(std::function<void(QWidget*)> action = {})
      : action_(std::move(action)) {
    QObject::connect(&minuterie_, &QTimer::timeout, [this] {
      QWidget* modale = QApplication::activeModalWidget();
      if (modale == nullptr) return;
      titres.push_back(modale->windowTitle());
      if (action_) {
        action_(modale);
      } else {
        modale->close();
      }
    });
    minuterie_.start(5);
  }
  QStringList titres;

 private:
  std::function<void(QWidget*)> action_;
  QTimer minuterie_;
};

}  // namespace veltor::essais
