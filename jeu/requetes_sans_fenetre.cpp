// Les requêtes sans fenêtre, et l'enregistreur qui en tient la trace.
#include "requetes_sans_fenetre.h"

#include <memory>

#include "regles.h"

namespace veltor {

void requetes_sans_fenetre::memoriser_historique() {
  veltor::memoriser_historique(etat_, historique_);
}

void requetes_sans_fenetre::effacer_cases() {
  rayer_cases_repetees(etat_);
  vider_cases_a_effacer(etat_);
}

std::string nom_dans_la_trace(lieu l) {
  if (l.est_du_haut()) return "h" + std::to_string(l.colonne);
  return "a" + std::to_string(l.panier) + std::to_string(l.rangee) + std::to_string(l.colonne);
}

void requetes_enregistrees::memoriser_historique() {
  noter("memoriser_historique");
  suite_.memoriser_historique();
}

void requetes_enregistrees::vider_liste_des_deplacements() {
  deplacements_.clear();
  suite_.vider_liste_des_deplacements();
}

void requetes_enregistrees::ajouter_deplacement(lieu premiere_image, lieu seconde_image) {
  deplacements_.emplace_back(premiere_image, seconde_image);
  suite_.ajouter_deplacement(premiere_image, seconde_image);
}

void requetes_enregistrees::animer_deplacements() {
  std::string ligne = "animer";
  for (const auto& [premiere, seconde] : deplacements_)
    ligne += " " + nom_dans_la_trace(premiere) + ":" + nom_dans_la_trace(seconde);
  noter(std::move(ligne));
  suite_.animer_deplacements();
}

void requetes_enregistrees::repeindre_en_attente() { suite_.repeindre_en_attente(); }

void requetes_enregistrees::effacer_cases() {
  // Les répétitions sont rayées sur une copie : la ligne est la même que `suite` les ait
  // déjà rayées ou non.
  const auto copie = std::make_unique<etat_du_jeu>(etat_);
  rayer_cases_repetees(*copie);
  std::string ligne = "effacer";
  for (int i = 1; i <= copie->nombre_a_effacer; ++i) {
    const case_a_effacer& e = copie->cases_a_effacer[i];
    if (e.panier != 0)
      ligne += " " + nom_dans_la_trace(lieu::case_du_panier(e.panier, e.rangee, e.colonne));
  }
  noter(std::move(ligne));
  suite_.effacer_cases();
}

void requetes_enregistrees::redessiner_plateau() {
  noter("redessiner_plateau");
  suite_.redessiner_plateau();
}

void requetes_enregistrees::jouer_son_niveau() { suite_.jouer_son_niveau(); }

void requetes_enregistrees::montrer_fenetre_suivant(const std::string& legende) {
  noter("fenetre_suivant " + legende);
  suite_.montrer_fenetre_suivant(legende);
}

void requetes_enregistrees::montrer_fenetre_fin() {
  noter("fenetre_fin");
  suite_.montrer_fenetre_fin();
}

void requetes_enregistrees::terminer_programme() {
  noter("fin_du_programme");
  suite_.terminer_programme();
}

}  // namespace veltor
