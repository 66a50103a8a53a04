// Les corps des requêtes pour un jeu sans fenêtre, et un enregistreur qui écrit chaque
// requête en une ligne de texte (la trace de la console, que la fenêtre sait aussi tenir).
#pragma once

#include <string>
#include <vector>

#include "historique.h"
#include "requetes.h"

namespace veltor {

// Les corps sans fenêtre : l'effacement vide les cases, l'historique est tenu pour de bon,
// la fin du programme marque la partie comme finie ; le reste ne fait rien.
class requetes_sans_fenetre : public requetes {
 public:
  explicit requetes_sans_fenetre(etat_du_jeu& etat) : etat_(etat) {}

  void memoriser_historique() override;
  void vider_liste_des_deplacements() override {}
  void ajouter_deplacement(lieu, lieu) override {}
  void animer_deplacements() override {}
  void repeindre_en_attente() override {}
  void effacer_cases() override;
  void redessiner_plateau() override {}
  void jouer_son_niveau() override {}
  void montrer_fenetre_suivant(const std::string&) override {}
  void montrer_fenetre_fin() override {}
  void terminer_programme() override { fin_du_jeu_ = true; }

  const historique& historique_memorise() const { return historique_; }
  bool fin_du_jeu() const { return fin_du_jeu_; }

 private:
  etat_du_jeu& etat_;
  historique historique_{};
  bool fin_du_jeu_ = false;
};

// Le nom d'une image dans la trace : « a<b><r><c> » pour une case, « h<k> » pour la ligne du haut.
std::string nom_dans_la_trace(lieu l);

// Écrit une ligne par requête puis la passe à `suite`. Les lignes, dans l'ordre des requêtes :
//   memoriser_historique
//   animer a151:h1 a152:h2 ...   (« animer » seul pour une liste vide)
//   effacer a252 a251            (les entrées actives une fois les répétitions rayées)
//   redessiner_plateau
//   fenetre_suivant Niveau : 4
//   fenetre_fin
//   fin_du_programme
// La passe de dessin en attente et le son du niveau n'écrivent rien.
class requetes_enregistrees : public requetes {
 public:
  requetes_enregistrees(const etat_du_jeu& etat, requetes& suite) : etat_(etat), suite_(suite) {}

  void memoriser_historique() override;
  void vider_liste_des_deplacements() override;
  void ajouter_deplacement(lieu premiere_image, lieu seconde_image) override;
  void animer_deplacements() override;
  void repeindre_en_attente() override;
  void effacer_cases() override;
  void redessiner_plateau() override;
  void jouer_son_niveau() override;
  void montrer_fenetre_suivant(const std::string& legende) override;
  void montrer_fenetre_fin() override;
  void terminer_programme() override;

  // Une ligne à soi, par exemple « coup P1 » ou « erreur Fichier introuvable. ».
  void noter(std::string ligne) { lignes_.push_back(std::move(ligne)); }
  const std::vector<std::string>& lignes() const { return lignes_; }

 private:
  const etat_du_jeu& etat_;
  requetes& suite_;
  std::vector<std::pair<lieu, lieu>> deplacements_;
  std::vector<std::string> lignes_;
};

}  // namespace veltor
