// Le moteur d'animation des déplacements : une liste d'échanges d'images, jouée d'un coup.
// Les images rétrécissent vers leur centre pixel par pixel, échangent leur contenu, puis
// regrandissent ; toutes les images d'une liste vont du même pas.
#pragma once

#include <QPixmap>
#include <QRect>
#include <functional>
#include <vector>

#include "cadence.h"

namespace veltor::plateforme {
class image_etiree;
}

namespace veltor::fenetres {

struct deplacement {
  plateforme::image_etiree* premiere_image;
  plateforme::image_etiree* seconde_image;
};

class moteur_animation {
 public:
  static constexpr int capacite = 80;

  explicit moteur_animation(std::chrono::nanoseconds trame) : cadence_(trame) {}

  void vider_liste_des_deplacements() { nombre_de_deplacements_ = 0; }
  void ajouter_deplacement(plateforme::image_etiree* premiere, plateforme::image_etiree* seconde);
  // Joue chaque entrée de la liste avec `nombre_de_pas` étapes de rétrécissement puis autant
  // de croissance ; revient quand l'animation est finie. La liste reste telle quelle.
  void animer_deplacements(int nombre_de_pas);

  int nombre_de_deplacements() const { return nombre_de_deplacements_; }
  const deplacement& entree(int i) const { return liste_[i - 1]; }

  // La cadence partagée par les animations et l'effet d'effacement : d'une liste à la
  // suivante, chaque étape reste elle aussi une trame à l'écran.
  cadence& rythme() { return cadence_; }

  // Pour les tests : appelé après chaque étape montrée.
  std::function<void()> apres_chaque_etape;

 private:
  void repeindre_la_liste();
  void montrer_l_etape();

  deplacement liste_[capacite]{};
  int nombre_de_deplacements_ = 0;
  QPixmap p_;  // l'image de réserve qui tient une image pendant un échange
  cadence cadence_;
};

// Un pixel de moins de chaque côté, ou de plus, autour du centre de l'image.
void retrecir(plateforme::image_etiree* image);
void grandir(plateforme::image_etiree* image);

// Repeint tout de suite, de façon synchrone, la fenêtre qui contient l'image, sur la place que
// l'image occupe à sa taille pleine.
void repeindre_la_place_de(plateforme::image_etiree* image);

}  // namespace veltor::fenetres
