#include "outils/solveur/simulation.h"

#include <algorithm>
#include <cstring>

namespace veltor::solveur {

namespace {

constexpr int cote = cote_du_panier;

constexpr int indice(int rangee, int colonne) { return cote * rangee + colonne; }

piece case_tenue(ligne_tenue haut, int k) { return static_cast<piece>((haut >> (4 * k)) & 0xF); }

}  // namespace

std::string nom_du_coup(coup c) {
  static constexpr char lettres[] = {'P', 'V', 'H'};
  const int n = static_cast<int>(c);
  return std::string{lettres[n / 3], static_cast<char>('1' + n % 3)};
}

void tasser(grille& g) {
  for (int c = 0; c < cote; ++c) {
    int libre = cote - 1;  // la rangée où tombe la prochaine pièce, depuis le bas
    for (int r = cote - 1; r >= 0; --r) {
      const piece p = g[indice(r, c)];
      if (p == 0) continue;
      if (r != libre) {
        g[indice(libre, c)] = p;
        g[indice(r, c)] = 0;
      }
      --libre;
    }
  }
}

void resoudre(grille& g) {
  for (;;) {
    std::array<bool, 25> a_effacer{};
    bool trouve = false;
    for (int r = 0; r < cote; ++r) {
      for (int c = 0; c < cote; ++c) {
        const piece p = g[indice(r, c)];
        if (p == 0) continue;
        if (c + 1 < cote && g[indice(r, c + 1)] == p) {
          a_effacer[indice(r, c)] = a_effacer[indice(r, c + 1)] = trouve = true;
        }
        if (r + 1 < cote && g[indice(r + 1, c)] == p) {
          a_effacer[indice(r, c)] = a_effacer[indice(r + 1, c)] = trouve = true;
        }
      }
    }
    if (!trouve) return;
    for (int i = 0; i < 25; ++i) {
      if (a_effacer[i]) g[i] = 0;
    }
    // Une résolution sans chute ne trouverait rien de plus : effacer ne crée aucun voisin.
    tasser(g);
  }
}

ligne_tenue lever(grille& g) {
  for (int r = 0; r < cote; ++r) {
    ligne_tenue haut = 0;
    for (int c = 0; c < cote; ++c) {
      haut |= static_cast<ligne_tenue>(g[indice(r, c)]) << (4 * c);
    }
    if (haut != 0) {
      std::fill_n(g.begin() + indice(r, 0), cote, piece{0});
      return haut;
    }
  }
  return 0;
}

bool pose_refusee(const grille& g, ligne_tenue haut) {
  // Un panier tassé n'a une pièce dans sa rangée du haut que sur une colonne pleine.
  for (int c = 0; c < cote; ++c) {
    if (case_tenue(haut, c) != 0 && g[indice(0, c)] != 0) return true;
  }
  return false;
}

void poser(grille& g, ligne_tenue haut) {
  for (int c = 0; c < cote; ++c) {
    const piece p = case_tenue(haut, c);
    if (p == 0) continue;
    int r = cote - 1;
    while (g[indice(r, c)] != 0) --r;
    g[indice(r, c)] = p;
  }
  resoudre(g);
}

void retourner_grille_vertical(grille& g) {
  for (int c = 0; c < cote; ++c) {
    int haut_de_pile = cote;
    while (haut_de_pile > 0 && g[indice(haut_de_pile - 1, c)] != 0) --haut_de_pile;
    for (int bas = cote - 1; haut_de_pile < bas; ++haut_de_pile, --bas) {
      std::swap(g[indice(haut_de_pile, c)], g[indice(bas, c)]);
    }
  }
  resoudre(g);
}

void retourner_grille_horizontal(grille& g) {
  for (int r = 0; r < cote; ++r) {
    std::reverse(g.begin() + indice(r, 0), g.begin() + indice(r, cote));
  }
}

position position_du_plan(const plan_de_niveau& plan) {
  position p;
  for (int b = 0; b < nombre_de_paniers; ++b) {
    std::memcpy(p.paniers[b].data(), plan.paniers[b], 25);
  }
  return p;
}

plan_de_niveau plan_de_la_position(const plan_de_niveau& entete, const position& p) {
  plan_de_niveau plan = entete;
  for (int b = 0; b < nombre_de_paniers; ++b) {
    std::memcpy(plan.paniers[b], p.paniers[b].data(), 25);
  }
  return plan;
}

ligne_tenue ligne_de(const piece (&ligne_du_haut)[cote_du_panier]) {
  ligne_tenue haut = 0;
  for (int c = 0; c < cote; ++c)
    haut |= static_cast<ligne_tenue>(ligne_du_haut[c] & 0xF) << (4 * c);
  return haut;
}

bool coup_offert(const plan_de_niveau& plan, coup c) {
  const int n = static_cast<int>(c);
  const int b = n % 3;
  if (plan.portes_visibles[b] != 1) return false;
  if (n < 3) return true;
  return plan.retournements_permis[2 * b + (n < 6 ? 0 : 1)] == 1;
}

bool jouer(position& p, coup c) {
  const int n = static_cast<int>(c);
  grille& g = p.paniers[n % 3];
  if (n < 3) {
    if (p.haut == 0) {
      p.haut = lever(g);
      return p.haut != 0;
    }
    if (pose_refusee(g, p.haut)) return false;
    poser(g, p.haut);
    p.haut = 0;
    return true;
  }
  const grille avant = g;
  if (n < 6) {
    retourner_grille_vertical(g);
  } else {
    retourner_grille_horizontal(g);
  }
  return g != avant;
}

bool terminee(const position& p) {
  if (p.haut != 0) return false;
  return std::all_of(p.paniers.begin(), p.paniers.end(), [](const grille& g) {
    return std::all_of(g.begin(), g.end(), [](piece x) { return x == 0; });
  });
}

}  // namespace veltor::solveur
