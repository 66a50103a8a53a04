#include "moteur_animation.h"

#include "plateforme/image_etiree.h"

namespace veltor::fenetres {

// Chaque réglage des bornes se fait à part et lit la valeur du moment, comme un contrôle
// dont on change Top, Left, Width et Height l'un après l'autre.
void retrecir(plateforme::image_etiree* image) {
  QRect g = image->geometry();
  g.moveTop(g.top() + 1);
  image->setGeometry(g);
  g.moveLeft(g.left() + 1);
  image->setGeometry(g);
  g.setWidth(g.width() - 2);
  image->setGeometry(g);
  g.setHeight(g.height() - 2);
  image->setGeometry(g);
}

void grandir(plateforme::image_etiree* image) {
  QRect g = image->geometry();
  g.moveTop(g.top() - 1);
  image->setGeometry(g);
  g.moveLeft(g.left() - 1);
  image->setGeometry(g);
  g.setWidth(g.width() + 2);
  image->setGeometry(g);
  g.setHeight(g.height() + 2);
  image->setGeometry(g);
}

void repeindre_la_place_de(plateforme::image_etiree* image) {
  QWidget* fenetre = image->parentWidget();
  if (fenetre == nullptr || !fenetre->isVisible()) return;
  // La place pleine de l'image contient toutes ses tailles rétrécies : repeindre cette place
  // efface le bord que l'image vient de quitter.
  const QVariant place = image->property("bornes_dessinees");
  const QRect r = place.isValid() ? place.toRect() : image->geometry();
  fenetre->repaint(r);
}

void moteur_animation::ajouter_deplacement(plateforme::image_etiree* premiere,
                                           plateforme::image_etiree* seconde) {
  if (nombre_de_deplacements_ >= capacite) return;  // les règles n'en donnent jamais plus de 15
  ++nombre_de_deplacements_;
  liste_[nombre_de_deplacements_ - 1] = {premiere, seconde};
}

void moteur_animation::repeindre_la_liste() {
  for (int i = 0; i < nombre_de_deplacements_; ++i) {
    repeindre_la_place_de(liste_[i].premiere_image);
    repeindre_la_place_de(liste_[i].seconde_image);
  }
}

void moteur_animation::montrer_l_etape() {
  cadence_.avant_l_etape();
  repeindre_la_liste();
  if (apres_chaque_etape) apres_chaque_etape();
}

void moteur_animation::animer_deplacements(int nombre_de_pas) {
  if (nombre_de_deplacements_ == 0) return;  // une liste vide ne montre rien et n'attend rien
  const int n = nombre_de_pas;

  repeindre_la_liste();  // ce qui attend encore d'être montré, avant l'effet

  for (int pas = 0; pas < n; ++pas) {
    for (int i = 0; i < nombre_de_deplacements_; ++i) {
      retrecir(liste_[i].premiere_image);
      retrecir(liste_[i].seconde_image);
    }
    montrer_l_etape();
  }

  for (int i = 0; i < nombre_de_deplacements_; ++i) {
    p_ = liste_[i].premiere_image->image();
    liste_[i].premiere_image->definir_image(liste_[i].seconde_image->image());
    liste_[i].seconde_image->definir_image(p_);
  }
  if (n > 0) {
    montrer_l_etape();
  } else {
    repeindre_la_liste();  // sans étape intermédiaire, rien n'attend
  }

  for (int pas = 0; pas < n; ++pas) {
    for (int i = 0; i < nombre_de_deplacements_; ++i) {
      grandir(liste_[i].premiere_image);
      grandir(liste_[i].seconde_image);
    }
    montrer_l_etape();  // la dernière montre l'état final, une trame après l'étape d'avant
  }
}

}  // namespace veltor::fenetres
