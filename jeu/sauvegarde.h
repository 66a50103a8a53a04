// Les parties sauvegardées : l'enregistrement de 95 octets, le fichier de six emplacements
// « VELTOR.CFG » dans le répertoire de départ, et ce que font les deux dialogues, sans fenêtre.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "etat_du_jeu.h"
#include "requetes.h"

namespace veltor {

struct partie_sauvegardee {
  octet occupe;         // 1 dans un emplacement sauvé ; jamais consulté à la lecture
  octet numero_niveau;  // 1..80 ; 0 : emplacement vide
  octet reserve;        // jamais écrit par le jeu : il est rendu tel qu'il a été lu
  plan_de_niveau plan;
  piece ligne_du_haut[cote_du_panier];
  octet ligne_prise;
  octet nombre_de_pas;
  octet mode_affichage;
};
static_assert(sizeof(partie_sauvegardee) == 95);

inline constexpr int nombre_d_emplacements = 6;
inline constexpr const char* nom_du_fichier_des_parties = "VELTOR.CFG";
using emplacements_des_parties = std::array<partie_sauvegardee, nombre_d_emplacements>;
static_assert(sizeof(emplacements_des_parties) == 570);

// Une erreur d'entrée/sortie, avec son texte sans point final (« Fichier introuvable »).
// La boîte qui la montre ajoute le point.
struct erreur_es {
  std::string texte;
  bool operator==(const erreur_es&) const = default;
};
using resultat_es = std::optional<erreur_es>;  // vide : réussi

// Le texte d'erreur qui répond à un numéro errno (« Erreur E/S %d » pour les autres).
std::string texte_d_erreur(int numero_errno);

bool fichier_des_parties_existe(const std::filesystem::path& repertoire);
// Lit les six enregistrements, dans l'ordre ; au-delà du 570e octet, rien n'est lu.
resultat_es lire_fichier_des_parties(const std::filesystem::path& repertoire,
                                     emplacements_des_parties& copie);
// Écrit les six enregistrements dans un fichier temporaire du même dossier, le pousse sur
// le disque, puis le renomme sur VELTOR.CFG : un échec laisse l'ancien fichier intact.
resultat_es ecrire_fichier_des_parties(const std::filesystem::path& repertoire,
                                       const emplacements_des_parties& copie);
// Remplit un enregistrement depuis l'état ; reserve n'est pas touché.
void remplir_emplacement(partie_sauvegardee& p, const etat_du_jeu& etat);
// Vrai quand l'enregistrement peut être rendu au jeu sans le casser : niveau 1..80,
// mode 1..2, vitesse 0..7, ligne_prise 0..1, chaque case et case du haut 0..15 ; et tel que
// le jeu l'aurait sauvé : ligne_prise à 1 exactement quand la ligne du haut tient une pièce,
// aucune pièce au-dessus d'une case vide.
bool emplacement_valide(const partie_sauvegardee& p);
// Rend l'enregistrement à l'état, ou le refuse (« Partie sauvegardée invalide ») sans rien changer.
resultat_es restaurer_emplacement(const partie_sauvegardee& p, etat_du_jeu& etat);

// La logique d'un des deux dialogues, sans fenêtre : sa propre copie des six
// enregistrements, les légendes et l'état actif de ses six boutons.
class dialogue_des_parties {
 public:
  enum class sorte { sauver, ouvrir };

  dialogue_des_parties(sorte s, std::filesystem::path repertoire_de_depart);

  // À chaque montrée : le répertoire de départ devient le répertoire courant, le fichier est
  // lu s'il existe, puis les boutons prennent les numéros de niveau. En cas d'erreur les
  // boutons gardent leurs légendes et leur état d'avant.
  resultat_es montrer();

  // Le clic sur l'emplacement k (0..5). Sauver : remplir k depuis l'état puis écrire le
  // fichier. Ouvrir : relire le fichier, rendre k à l'état, redessiner le plateau et
  // mémoriser l'historique. Sans erreur, le dialogue se ferme.
  resultat_es cliquer(int k, etat_du_jeu& etat, requetes& r);

  const std::string& legende(int k) const { return legendes_[k]; }
  bool actif(int k) const { return actifs_[k]; }
  const emplacements_des_parties& emplacements() const { return emplacements_; }
  sorte genre() const { return sorte_; }

 private:
  sorte sorte_;
  std::filesystem::path repertoire_de_depart_;
  emplacements_des_parties emplacements_{};
  std::array<std::string, nombre_d_emplacements> legendes_;
  std::array<bool, nombre_d_emplacements> actifs_;
};

}  // namespace veltor
