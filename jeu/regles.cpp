// Les règles : chaque opération change l'état dans l'ordre du jeu, et ne montre rien
// elle-même ; l'animation, l'effacement, le dessin, les fenêtres et l'historique passent
// par les requêtes, dans un ordre que la fenêtre et la console suivent à l'identique.
#include "regles.h"

#include <string>
#include <utility>

#include "niveaux.h"

namespace veltor {
namespace {

lieu case_du_panier(int panier, int rangee, int colonne) {
  return lieu::case_du_panier(panier, rangee, colonne);
}

bool colonne_pleine(const etat_du_jeu& etat, int panier, int colonne) {
  for (int r = 1; r <= cote_du_panier; ++r)
    if (etat.cellule(panier, r, colonne) == 0) return false;
  return true;
}

bool plateau_vide(const etat_du_jeu& etat) {
  for (int b = 1; b <= nombre_de_paniers; ++b)
    if (!panier_vide(etat, b)) return false;
  return ligne_du_haut_vide(etat);
}

// Le niveau est fini : la fenêtre du niveau suivant puis le niveau suivant, ou, après le
// dernier, la fenêtre de fin et l'arrêt du programme, l'état restant tel quel.
void terminer_le_niveau(etat_du_jeu& etat, requetes& r) {
  // Un numéro venu d'ailleurs que la table ne connaît pas finit la partie plutôt que
  // de charger un niveau qui n'existe pas.
  if (etat.numero_niveau >= nombre_de_niveaux) {
    r.montrer_fenetre_fin();
    r.terminer_programme();
    return;
  }
  r.jouer_son_niveau();
  r.montrer_fenetre_suivant("Niveau : " + std::to_string(etat.numero_niveau));
  commencer_niveau(etat, r, etat.numero_niveau + 1);
}

}  // namespace

void charger_niveau(etat_du_jeu& etat, int n) { etat.plan = table_des_niveaux(n); }

void vider_ligne_du_haut(etat_du_jeu& etat) {
  for (int k = 1; k <= cote_du_panier; ++k) etat.haut(k) = 0;
  etat.ligne_prise = 0;
}

bool ligne_du_haut_vide(const etat_du_jeu& etat) {
  for (int k = 1; k <= cote_du_panier; ++k)
    if (etat.haut(k) != 0) return false;
  return true;
}

bool panier_vide(const etat_du_jeu& etat, int panier) {
  for (int r = 1; r <= cote_du_panier; ++r)
    for (int c = 1; c <= cote_du_panier; ++c)
      if (etat.cellule(panier, r, c) != 0) return false;
  return true;
}

void demarrer_partie(etat_du_jeu& etat, requetes& r) {
  etat.mode_affichage = 2;
  etat.numero_niveau = 1;
  etat.nombre_de_pas = 1;
  commencer_niveau(etat, r, 1);
}

void commencer_niveau(etat_du_jeu& etat, requetes& r, int n) {
  etat.numero_niveau = static_cast<octet>(n);
  charger_niveau(etat, n);
  vider_ligne_du_haut(etat);
  r.redessiner_plateau();
  r.memoriser_historique();
}

void choisir_panier(etat_du_jeu& etat, requetes& r, int panier) {
  if (!panier_vide(etat, panier) && etat.ligne_prise == 0) {
    r.memoriser_historique();
    prendre_ligne(etat, r, panier);
    etat.ligne_prise = 1;
  } else if (!ligne_du_haut_vide(etat) && etat.ligne_prise == 1) {
    // Poser sur une colonne pleine écraserait la pièce du haut : le clic ne fait rien.
    if (pose_refusee(etat, panier)) return;
    r.memoriser_historique();
    poser_ligne(etat, r, panier);
    // Après la chute, l'effacement et un éventuel changement de niveau.
    etat.ligne_prise = 0;
  }
}

void prendre_ligne(etat_du_jeu& etat, requetes& r, int panier) {
  r.vider_liste_des_deplacements();
  int rangee = 0;
  for (int ri = 1; ri <= cote_du_panier && rangee == 0; ++ri)
    for (int c = 1; c <= cote_du_panier; ++c)
      if (etat.cellule(panier, ri, c) != 0) {
        rangee = ri;
        break;
      }
  if (rangee == 0) return;
  // La rangée part entière, cases vides comprises : la ligne tenue peut avoir des trous.
  for (int k = 1; k <= cote_du_panier; ++k) {
    etat.haut(k) = etat.cellule(panier, rangee, k);
    etat.cellule(panier, rangee, k) = 0;
    r.ajouter_deplacement(case_du_panier(panier, rangee, k), lieu::case_du_haut(k));
  }
  r.animer_deplacements();
}

void poser_ligne(etat_du_jeu& etat, requetes& r, int panier) {
  r.vider_liste_des_deplacements();
  for (int k = 1; k <= cote_du_panier; ++k) {
    if (etat.haut(k) == 0) continue;
    etat.cellule(panier, 1, k) = etat.haut(k);
    etat.haut(k) = 0;
    r.ajouter_deplacement(lieu::case_du_haut(k), case_du_panier(panier, 1, k));
  }
  r.animer_deplacements();
  faire_tomber_pieces(etat, r, panier);
  resoudre_panier(etat, r, panier);
}

bool pose_refusee(const etat_du_jeu& etat, int panier) {
  for (int k = 1; k <= cote_du_panier; ++k)
    if (etat.haut(k) != 0 && colonne_pleine(etat, panier, k)) return true;
  return false;
}

namespace {

// Échange chaque case (rangée, colonne) des `rangees` × `colonnes` premières avec son image
// par `miroir`, rangée par rangée, et anime l'échange de chaque paire qui n'est pas vide.
// La rangée ou la colonne du milieu s'échange avec elle-même : une pièce y rétrécit et
// regrandit sur place.
template <typename Miroir>
void echanger_en_miroir(etat_du_jeu& etat, requetes& r, int panier, int rangees, int colonnes,
                        Miroir miroir) {
  r.vider_liste_des_deplacements();
  for (int ri = 1; ri <= rangees; ++ri)
    for (int c = 1; c <= colonnes; ++c) {
      const auto [ri_oppose, c_oppose] = miroir(ri, c);
      piece& ici = etat.cellule(panier, ri, c);
      piece& en_face = etat.cellule(panier, ri_oppose, c_oppose);
      if (ici == 0 && en_face == 0) continue;
      std::swap(ici, en_face);
      r.ajouter_deplacement(case_du_panier(panier, ri, c),
                            case_du_panier(panier, ri_oppose, c_oppose));
    }
  r.animer_deplacements();
}

constexpr int milieu = (cote_du_panier + 1) / 2;

}  // namespace

void retourner_vertical(etat_du_jeu& etat, requetes& r, int panier) {
  r.memoriser_historique();
  echanger_en_miroir(etat, r, panier, milieu, cote_du_panier, [](int ri, int c) {
    return std::pair{cote_du_panier + 1 - ri, c};
  });
  faire_tomber_pieces(etat, r, panier);
  resoudre_panier(etat, r, panier);
}

void retourner_horizontal(etat_du_jeu& etat, requetes& r, int panier) {
  r.memoriser_historique();
  echanger_en_miroir(etat, r, panier, cote_du_panier, milieu, [](int ri, int c) {
    return std::pair{ri, cote_du_panier + 1 - c};
  });
  // Le miroir déplace des colonnes entières : rien ne tombe, rien ne s'efface.
}

bool faire_tomber_pieces(etat_du_jeu& etat, requetes& r, int panier) {
  bool a_bouge = false;
  bool a_bouge_cette_passe = true;
  while (a_bouge_cette_passe) {
    r.repeindre_en_attente();
    a_bouge_cette_passe = false;
    r.vider_liste_des_deplacements();
    // Au plus une pièce par colonne et par passe : la plus basse qui peut tomber.
    for (int c = 1; c <= cote_du_panier; ++c)
      for (int ri = cote_du_panier - 1; ri >= 1; --ri) {
        if (etat.cellule(panier, ri, c) == 0 || etat.cellule(panier, ri + 1, c) != 0) continue;
        etat.cellule(panier, ri + 1, c) = etat.cellule(panier, ri, c);
        etat.cellule(panier, ri, c) = 0;
        r.ajouter_deplacement(case_du_panier(panier, ri, c), case_du_panier(panier, ri + 1, c));
        a_bouge_cette_passe = true;
        a_bouge = true;
        break;
      }
    // Aussi pour une passe vide, qui ne montre rien.
    r.animer_deplacements();
  }
  return a_bouge;
}

void ajouter_case_a_effacer(etat_du_jeu& etat, int panier, int rangee, int colonne) {
  ++etat.nombre_a_effacer;
  case_a_effacer& e = etat.cases_a_effacer[etat.nombre_a_effacer];
  e.panier = static_cast<octet>(panier);
  e.colonne = static_cast<octet>(colonne);
  e.rangee = static_cast<octet>(rangee);
}

void resoudre_panier(etat_du_jeu& etat, requetes& r, int panier) {
  // Chaque tour est un balayage ; un effacement suivi d'une chute en relance un autre.
  for (;;) {
    etat.nombre_a_effacer = 0;
    // Le balayage ne fait que lire : tout ce qu'il liste disparaît ensemble.
    for (int c = 1; c <= cote_du_panier; ++c)
      for (int ri = 1; ri <= cote_du_panier; ++ri) {
        const piece v = etat.cellule(panier, ri, c);
        if (v == 0) continue;
        bool trouve = false;
        const auto voisin = [&](bool dedans, int rv, int cv) {
          if (dedans && etat.cellule(panier, rv, cv) == v) {
            ajouter_case_a_effacer(etat, panier, rv, cv);
            trouve = true;
          }
        };
        voisin(c >= 2, ri, c - 1);
        voisin(c <= 4, ri, c + 1);
        voisin(ri >= 2, ri - 1, c);
        voisin(ri <= 4, ri + 1, c);
        if (trouve) ajouter_case_a_effacer(etat, panier, ri, c);
      }
    if (etat.nombre_a_effacer == 0) return;
    r.effacer_cases();
    if (faire_tomber_pieces(etat, r, panier)) continue;
    // Un niveau ne peut se vider que par un effacement qui ne laisse rien tomber.
    if (plateau_vide(etat)) terminer_le_niveau(etat, r);
    return;
  }
}

void rayer_cases_repetees(etat_du_jeu& etat) {
  const int n = etat.nombre_a_effacer;
  for (int i = 1; i < n; ++i) {
    const case_a_effacer e = etat.cases_a_effacer[i];
    if (e.panier == 0) continue;
    for (int d = i + 1; d <= n; ++d)
      if (etat.cases_a_effacer[d] == e) etat.cases_a_effacer[d].panier = 0;
  }
}

void vider_cases_a_effacer(etat_du_jeu& etat) {
  for (int i = 1; i <= etat.nombre_a_effacer; ++i) {
    const case_a_effacer& e = etat.cases_a_effacer[i];
    if (e.panier != 0) etat.cellule(e.panier, e.rangee, e.colonne) = 0;
  }
}

void revenir_en_arriere(etat_du_jeu& etat, const historique& h, requetes& r) {
  restaurer_historique(h, etat);
  r.redessiner_plateau();
  r.memoriser_historique();
}

void recommencer_le_niveau(etat_du_jeu& etat, requetes& r) {
  charger_niveau(etat, etat.numero_niveau);
  vider_ligne_du_haut(etat);
  r.redessiner_plateau();
  r.memoriser_historique();
}

void changer_mode_affichage(etat_du_jeu& etat, requetes& r, bool enfonce) {
  etat.mode_affichage = enfonce ? 1 : 2;
  r.redessiner_plateau();
}

void changer_vitesse(etat_du_jeu& etat) {
  etat.nombre_de_pas = static_cast<octet>((etat.nombre_de_pas + 7) % 8);
}

int chiffre_de_vitesse(const etat_du_jeu& etat) { return 7 - etat.nombre_de_pas; }

}  // namespace veltor
