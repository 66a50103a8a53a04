// La console joue comme la fenêtre : mêmes règles, mêmes requêtes, mêmes dialogues des
// parties, et ne laisse faire que ce que la fenêtre laisserait faire au joueur.
#include "outils/console/console.h"

#include <chrono>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>

#include "jeu/etat_du_jeu.h"
#include "jeu/historique.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "jeu/sauvegarde.h"
#include "outils/solveur/solveur.h"

namespace veltor::console {
namespace {

constexpr const char* nom_du_programme = "veltor95-console";
constexpr const char* usage =
    "usage : veltor95-console [--trace] [--historique] [--dossier DOSSIER] NIVEAU COUP...\n"
    "        veltor95-console --resoudre N... | --resoudre tout\n"
    "COUP : P1..P3 (panier), V1..V3, H1..H3 (retournements), U (retour en arrière),\n"
    "       R (recommencer), T (vitesse), M (mode d'affichage), S0..S5 (sauver), O0..O5 (ouvrir)\n";

struct coup {
  char lettre;
  int chiffre;  // panier 1..3, emplacement 0..5 ; 0 pour U, R, T, M
  std::string texte;
};

std::optional<coup> lire_coup(const std::string& texte) {
  if (texte.size() == 1 && std::string_view("URTM").find(texte[0]) != std::string_view::npos)
    return coup{texte[0], 0, texte};
  if (texte.size() != 2 || texte[1] < '0' || texte[1] > '9') return std::nullopt;
  const int chiffre = texte[1] - '0';
  switch (texte[0]) {
    case 'P':
    case 'V':
    case 'H':
      if (chiffre >= 1 && chiffre <= nombre_de_paniers) return coup{texte[0], chiffre, texte};
      return std::nullopt;
    case 'S':
    case 'O':
      if (chiffre < nombre_d_emplacements) return coup{texte[0], chiffre, texte};
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

// Un numéro de niveau écrit en chiffres décimaux seulement, 1..80.
std::optional<int> lire_niveau(const std::string& texte) {
  if (texte.empty() || texte.size() > 2) return std::nullopt;
  int n = 0;
  for (char c : texte) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > nombre_de_niveaux) return std::nullopt;
  return n;
}

// Les corps sans fenêtre, qui retiennent en plus chaque niveau terminé.
class requetes_de_la_console : public requetes_sans_fenetre {
 public:
  explicit requetes_de_la_console(etat_du_jeu& etat) : requetes_sans_fenetre(etat), etat_(etat) {}
  void montrer_fenetre_suivant(const std::string&) override {
    termines.push_back(etat_.numero_niveau);
  }
  void montrer_fenetre_fin() override { termines.push_back(etat_.numero_niveau); }

  std::vector<int> termines;

 private:
  const etat_du_jeu& etat_;
};

std::string chiffres(const octet* o, int n) {
  std::string texte;
  for (int i = 0; i < n; ++i) texte += "0123456789ABCDEF"[o[i] & 0x0F];
  return texte;
}

std::string texte_du_panier(const plan_de_niveau& plan, int panier) {
  std::string texte;
  for (int r = 1; r <= cote_du_panier; ++r) {
    if (r > 1) texte += ' ';
    texte += chiffres(plan.paniers[panier - 1][r - 1], cote_du_panier);
  }
  return texte;
}

void ecrire_position(std::ostream& o, const std::string& prefixe, const plan_de_niveau& plan,
                     const piece* haut, octet ligne_prise) {
  o << prefixe << "retournements " << chiffres(plan.retournements_permis, 6) << '\n';
  o << prefixe << "portes " << chiffres(plan.portes_visibles, 3) << '\n';
  for (int b = 1; b <= nombre_de_paniers; ++b)
    o << prefixe << "panier" << b << ' ' << texte_du_panier(plan, b) << '\n';
  o << prefixe << "haut " << chiffres(haut, cote_du_panier) << '\n';
  o << prefixe << "ligne_prise " << int(ligne_prise) << '\n';
}

struct options {
  bool trace = false;
  bool historique = false;
  std::filesystem::path dossier;
  int niveau = 0;
  std::vector<coup> coups;
};

// Une partie jouée comme dans la fenêtre principale, avec ses deux dialogues créés une fois.
class partie {
 public:
  explicit partie(const options& o)
      : corps_(*etat_),
        trace_(*etat_, corps_),
        sauver_(dialogue_des_parties::sorte::sauver, o.dossier),
        ouvrir_(dialogue_des_parties::sorte::ouvrir, o.dossier) {
    etat_->mode_affichage = 2;
    etat_->nombre_de_pas = 1;
    commencer_niveau(*etat_, corps_, o.niveau);
  }

  // Joue un coup ; rend la raison du refus quand la fenêtre ne l'aurait pas permis.
  std::optional<std::string> jouer(const coup& c) {
    if (corps_.fin_du_jeu()) return "la partie est finie";
    etat_du_jeu& e = *etat_;
    const int b = c.chiffre;
    switch (c.lettre) {
      case 'P':
        if (e.plan.portes_visibles[b - 1] == 0)
          return "le panier " + std::to_string(b) + " est caché";
        trace_.noter("coup " + c.texte);
        choisir_panier(e, trace_, b);
        return std::nullopt;
      case 'V':
      case 'H': {
        const bool vertical = c.lettre == 'V';
        const std::string bouton = std::string("le bouton de retournement ") +
                                   (vertical ? "vertical" : "horizontal") + " du panier " +
                                   std::to_string(b);
        if (e.plan.portes_visibles[b - 1] == 0) return bouton + " est caché";
        if (e.plan.retournements_permis[2 * (b - 1) + (vertical ? 0 : 1)] == 0)
          return bouton + " est désactivé";
        trace_.noter("coup " + c.texte);
        if (vertical)
          retourner_vertical(e, trace_, b);
        else
          retourner_horizontal(e, trace_, b);
        return std::nullopt;
      }
      case 'U':
        trace_.noter("coup " + c.texte);
        revenir_en_arriere(e, corps_.historique_memorise(), trace_);
        return std::nullopt;
      case 'R':
        trace_.noter("coup " + c.texte);
        recommencer_le_niveau(e, trace_);
        return std::nullopt;
      case 'T':
        trace_.noter("coup " + c.texte);
        changer_vitesse(e);
        return std::nullopt;
      case 'M':
        trace_.noter("coup " + c.texte);
        mode_enfonce_ = !mode_enfonce_;
        changer_mode_affichage(e, trace_, mode_enfonce_);
        return std::nullopt;
      case 'S':
      case 'O': {
        dialogue_des_parties& d = c.lettre == 'S' ? sauver_ : ouvrir_;
        // La montrée a ses propres erreurs ; le dialogue s'ouvre quand même.
        const resultat_es montree = d.montrer();
        if (!d.actif(b))
          return "l'emplacement " + std::to_string(b) + " du dialogue d'ouverture est désactivé";
        trace_.noter("coup " + c.texte);
        if (montree) noter_erreur(*montree);
        if (const resultat_es clic = d.cliquer(b, e, trace_)) noter_erreur(*clic);
        return std::nullopt;
      }
    }
    return "coup inconnu";
  }

  void ecrire(std::ostream& o, const options& opt) const {
    const etat_du_jeu& e = *etat_;
    o << "niveau " << int(e.numero_niveau) << '\n';
    ecrire_position(o, "", e.plan, e.ligne_du_haut, e.ligne_prise);
    o << "pas " << int(e.nombre_de_pas) << '\n';
    o << "mode " << int(e.mode_affichage) << '\n';
    o << "termines";
    if (corps_.termines.empty()) o << " -";
    for (int n : corps_.termines) o << ' ' << n;
    o << '\n';
    o << "fin_du_jeu " << (corps_.fin_du_jeu() ? 1 : 0) << '\n';
    if (opt.historique) {
      const historique& h = corps_.historique_memorise();
      ecrire_position(o, "historique_", h.plan, h.ligne_du_haut, h.ligne_prise);
    }
    if (opt.trace) {
      o << "trace\n";
      for (const std::string& l : trace_.lignes()) o << l << '\n';
    }
  }

 private:
  void noter_erreur(const erreur_es& e) { trace_.noter("erreur " + e.texte + "."); }

  std::unique_ptr<etat_du_jeu> etat_ = std::make_unique<etat_du_jeu>();
  requetes_de_la_console corps_;
  requetes_enregistrees trace_;
  dialogue_des_parties sauver_;
  dialogue_des_parties ouvrir_;
  bool mode_enfonce_ = false;  // l'interrupteur graphique/simplifié, relevé au départ
};

int refuser_arguments(std::ostream& erreurs, const std::string& raison) {
  erreurs << nom_du_programme << " : " << raison << '\n' << usage;
  return sortie_arguments_incorrects;
}

int resoudre(const std::vector<std::string>& niveaux_demandes, std::ostream& sortie,
             std::ostream& erreurs) {
  std::vector<int> niveaux;
  if (niveaux_demandes.size() == 1 && niveaux_demandes[0] == "tout") {
    for (int n = 1; n <= nombre_de_niveaux; ++n) niveaux.push_back(n);
  } else {
    for (const std::string& a : niveaux_demandes) {
      const std::optional<int> n = lire_niveau(a);
      if (!n) return refuser_arguments(erreurs, "niveau « " + a + " » hors de 1..80");
      niveaux.push_back(*n);
    }
  }
  if (niveaux.empty())
    return refuser_arguments(erreurs, "--resoudre attend des niveaux ou « tout »");

  std::ostringstream texte;
  std::size_t total = 0;
  const auto debut = std::chrono::steady_clock::now();
  for (int n : niveaux) {
    const solveur::solution s = solveur::resoudre(n);
    texte << "niveau " << n << " : ";
    if (!s.possible) {
      texte << "impossible\n";
      continue;
    }
    total += s.coups.size();
    texte << s.coups.size() << " coups :";
    for (const std::string& c : s.coups) texte << ' ' << c;
    texte << '\n';
  }
  const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
  texte << "total : " << total << " coups, " << std::fixed << std::setprecision(2) << duree.count()
        << " s\n";
  sortie << texte.str();
  return sortie_reussie;
}

}  // namespace

int executer(const std::vector<std::string>& arguments, std::ostream& sortie,
             std::ostream& erreurs) {
  if (!arguments.empty() && arguments[0] == "--resoudre")
    return resoudre({arguments.begin() + 1, arguments.end()}, sortie, erreurs);

  options opt;
  std::size_t i = 0;
  bool dossier_donne = false;
  for (; i < arguments.size() && arguments[i].starts_with("--"); ++i) {
    const std::string& a = arguments[i];
    if (a == "--trace") {
      opt.trace = true;
    } else if (a == "--historique") {
      opt.historique = true;
    } else if (a == "--dossier") {
      if (i + 1 >= arguments.size()) return refuser_arguments(erreurs, "--dossier sans dossier");
      opt.dossier = arguments[++i];
      dossier_donne = true;
    } else {
      return refuser_arguments(erreurs, "option « " + a + " » inconnue");
    }
  }
  if (i >= arguments.size()) return refuser_arguments(erreurs, "NIVEAU manquant");
  const std::optional<int> niveau = lire_niveau(arguments[i]);
  if (!niveau) return refuser_arguments(erreurs, "niveau « " + arguments[i] + " » hors de 1..80");
  opt.niveau = *niveau;
  for (++i; i < arguments.size(); ++i) {
    const std::optional<coup> c = lire_coup(arguments[i]);
    if (!c)
      return refuser_arguments(erreurs, "coup " + std::to_string(opt.coups.size() + 1) + " « " +
                                            arguments[i] + " » inconnu");
    opt.coups.push_back(*c);
  }
  if (!dossier_donne) {
    std::error_code ec;
    opt.dossier = std::filesystem::current_path(ec);
    if (ec) opt.dossier = ".";
  }

  partie p(opt);
  for (std::size_t k = 0; k < opt.coups.size(); ++k) {
    if (const std::optional<std::string> refus = p.jouer(opt.coups[k])) {
      erreurs << nom_du_programme << " : coup " << k + 1 << " « " << opt.coups[k].texte
              << " » refusé : " << *refus << '\n';
      return sortie_coup_refuse;
    }
  }
  p.ecrire(sortie, opt);
  return sortie_reussie;
}

}  // namespace veltor::console
