// Ce que partagent les tests des règles : un panier écrit comme dans la table des niveaux,
// et des requêtes qui tiennent la trace de tout, son et passes de dessin compris.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jeu/etat_du_jeu.h"
#include "jeu/requetes_sans_fenetre.h"

namespace veltor::test {

// « 00000 40004 50005 40004 51235 » : cinq rangées depuis le haut, un chiffre par colonne.
inline void poser_panier(etat_du_jeu& etat, int panier, std::string_view texte) {
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) {
      const char ch = texte[static_cast<std::size_t>((r - 1) * 6 + (c - 1))];
      etat.cellule(panier, r, c) = static_cast<piece>(ch <= '9' ? ch - '0' : ch - 'A' + 10);
    }
}

inline std::string lire_panier(const etat_du_jeu& etat, int panier) {
  std::string texte;
  for (int r = 1; r <= 5; ++r) {
    if (r > 1) texte += ' ';
    for (int c = 1; c <= 5; ++c) texte += "0123456789ABCDEF"[etat.cellule(panier, r, c)];
  }
  return texte;
}

inline void poser_haut(etat_du_jeu& etat, std::string_view texte) {
  for (int k = 1; k <= 5; ++k) {
    const char ch = texte[static_cast<std::size_t>(k - 1)];
    etat.haut(k) = static_cast<piece>(ch <= '9' ? ch - '0' : ch - 'A' + 10);
  }
}

inline std::string lire_haut(const etat_du_jeu& etat) {
  std::string texte;
  for (int k = 1; k <= 5; ++k) texte += "0123456789ABCDEF"[etat.haut(k)];
  return texte;
}

// Les corps sans fenêtre, plus ce que la trace ne montre pas : le son du niveau, les
// passes de dessin, et la liste des cases à effacer telle que les règles l'ont remplie.
class requetes_espionnes : public requetes_sans_fenetre {
 public:
  explicit requetes_espionnes(etat_du_jeu& etat) : requetes_sans_fenetre(etat), etat_(etat) {}

  void repeindre_en_attente() override { journal.push_back("repeindre"); }
  void jouer_son_niveau() override { journal.push_back("son_niveau"); }
  void montrer_fenetre_suivant(const std::string& legende) override {
    journal.push_back("fenetre_suivant " + legende);
  }
  void effacer_cases() override {
    listes_a_effacer.emplace_back(etat_.cases_a_effacer + 1,
                                  etat_.cases_a_effacer + 1 + etat_.nombre_a_effacer);
    journal.push_back("effacer");
    requetes_sans_fenetre::effacer_cases();
  }

  std::vector<std::string> journal;
  std::vector<std::vector<case_a_effacer>> listes_a_effacer;

 private:
  etat_du_jeu& etat_;
};

// Un état, ses requêtes sans fenêtre espionnées et la trace qui les enveloppe.
struct partie {
  etat_du_jeu etat;
  requetes_espionnes corps{etat};
  requetes_enregistrees trace{etat, corps};

  // Un état vide de tout, au niveau donné : les tests y posent leurs propres paniers.
  explicit partie(int niveau = 1) { etat.numero_niveau = static_cast<octet>(niveau); }
  const std::vector<std::string>& lignes() const { return trace.lignes(); }
  std::size_t nombre_de(std::string_view debut) const {
    std::size_t n = 0;
    for (const auto& l : trace.lignes())
      if (l.starts_with(debut)) ++n;
    return n;
  }
};

}  // namespace veltor::test
