// Le fichier des parties « VELTOR.CFG » : six enregistrements de 95 octets, lus et écrits par
// appels POSIX pour que chaque échec donne son errno, donc son texte.
#include "sauvegarde.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <system_error>
#include <utility>

namespace veltor {
namespace {

namespace fs = std::filesystem;

constexpr const char* texte_lecture_trop_courte = "Lecture au delà de la fin de fichier";
constexpr const char* texte_disque_plein = "Disque plein";
constexpr const char* texte_nom_incorrect = "Nom de fichier incorrect";
constexpr const char* texte_partie_invalide = "Partie sauvegardée invalide";

// Un descripteur qui se ferme de lui-même : aucun chemin de sortie ne laisse le fichier ouvert.
class descripteur {
 public:
  explicit descripteur(int fd) : fd_(fd) {}
  ~descripteur() {
    if (fd_ >= 0) ::close(fd_);
  }
  descripteur(const descripteur&) = delete;
  descripteur& operator=(const descripteur&) = delete;

  bool ouvert() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // Ferme tout de suite ; rend l'errno de l'échec, 0 si la fermeture a réussi.
  int fermer() {
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Efface le fichier temporaire à la sortie, sauf s'il a été renommé sur le vrai.
class fichier_temporaire {
 public:
  fichier_temporaire() = default;
  ~fichier_temporaire() {
    if (!chemin_.empty()) ::unlink(chemin_.c_str());
  }
  fichier_temporaire(const fichier_temporaire&) = delete;
  fichier_temporaire& operator=(const fichier_temporaire&) = delete;

  void retenir(fs::path chemin) { chemin_ = std::move(chemin); }
  void abandonner() { chemin_.clear(); }

 private:
  fs::path chemin_;
};

erreur_es erreur(std::string texte) { return erreur_es{std::move(texte)}; }

fs::path dossier_de(const fs::path& repertoire) {
  return repertoire.empty() ? fs::path(".") : repertoire;
}

// ENOENT veut dire « fichier introuvable » quand le dossier est là, « nom incorrect » sinon.
erreur_es erreur_systeme(int numero, const fs::path& dossier) {
  if (numero == ENOENT) {
    std::error_code ec;
    if (!fs::is_directory(dossier, ec)) return erreur(texte_nom_incorrect);
  }
  return erreur(texte_d_erreur(numero));
}

// Écrit tout le tampon, en reprenant après une écriture partielle. Une écriture qui
// n'avance plus sans errno est un disque plein.
resultat_es ecrire_tout(int fd, const unsigned char* octets, std::size_t taille,
                        const fs::path& dossier) {
  std::size_t fait = 0;
  while (fait < taille) {
    const ssize_t n = ::write(fd, octets + fait, taille - fait);
    if (n < 0) {
      if (errno == EINTR) continue;
      return erreur_systeme(errno, dossier);
    }
    if (n == 0) return erreur(texte_disque_plein);
    fait += static_cast<std::size_t>(n);
  }
  return std::nullopt;
}

// Le fichier qu'une sauvegarde remplace : au bout d'un lien symbolique, c'est la cible,
// sinon le lien serait remplacé par un fichier et la cible oubliée.
fs::path fichier_a_remplacer(const fs::path& repertoire) {
  const fs::path chemin = dossier_de(repertoire) / nom_du_fichier_des_parties;
  std::error_code ec;
  if (fs::is_symlink(chemin, ec)) {
    fs::path cible = fs::canonical(chemin, ec);
    if (!ec) return cible;
  }
  return chemin;
}

// Pousse sur le disque l'entrée du dossier après le renommage. Le fichier est déjà en place :
// un échec ici ne change rien à ce que le joueur retrouvera, il n'est donc pas signalé.
void pousser_le_dossier(const fs::path& dossier) {
  descripteur d(::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (d.ouvert()) ::fsync(d.fd());
}

}  // namespace

std::string texte_d_erreur(int numero_errno) {
  switch (numero_errno) {
    case ENOENT:
      return "Fichier introuvable";
    case ENOTDIR:
    case ENAMETOOLONG:
      return texte_nom_incorrect;
    case EMFILE:
    case ENFILE:
      return "Trop de fichiers ouverts";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:  // VELTOR.CFG est un dossier : on ne peut ni le lire ni le remplacer
      return "Accès au fichier refusé";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return texte_disque_plein;
    default:
      return "Erreur E/S " + std::to_string(numero_errno);
  }
}

bool fichier_des_parties_existe(const std::filesystem::path& repertoire) {
  const fs::path chemin = dossier_de(repertoire) / nom_du_fichier_des_parties;
  struct stat infos;
  if (::stat(chemin.c_str(), &infos) == 0) return true;
  // Un nom qui ne se laisse pas examiner (droits, nom trop long) compte comme présent :
  // la lecture qui suit dira au joueur pourquoi il ne peut pas être lu.
  return errno != ENOENT && errno != ENOTDIR;
}

resultat_es lire_fichier_des_parties(const std::filesystem::path& repertoire,
                                     emplacements_des_parties& copie) {
  const fs::path dossier = dossier_de(repertoire);
  const fs::path chemin = dossier / nom_du_fichier_des_parties;
  // O_NONBLOCK : un tube nommé à la place du fichier ne doit pas bloquer le jeu.
  descripteur f(::open(chemin.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!f.ouvert()) return erreur_systeme(errno, dossier);

  for (partie_sauvegardee& enregistrement : copie) {
    // Chaque enregistrement n'entre dans la copie qu'une fois lu en entier.
    partie_sauvegardee lu;
    auto* octets = reinterpret_cast<unsigned char*>(&lu);
    std::size_t fait = 0;
    while (fait < sizeof lu) {
      const ssize_t n = ::read(f.fd(), octets + fait, sizeof lu - fait);
      if (n < 0) {
        if (errno == EINTR) continue;
        return erreur_systeme(errno, dossier);
      }
      if (n == 0) return erreur(texte_lecture_trop_courte);
      fait += static_cast<std::size_t>(n);
    }
    enregistrement = lu;
  }
  if (const int e = f.fermer()) return erreur_systeme(e, dossier);
  return std::nullopt;
}

resultat_es ecrire_fichier_des_parties(const std::filesystem::path& repertoire,
                                       const emplacements_des_parties& copie) {
  const fs::path cible = fichier_a_remplacer(repertoire);
  const fs::path dossier = dossier_de(cible.parent_path());

  // Un fichier existant que le joueur ne peut pas écrire reste protégé : le renommage
  // passerait outre ses droits. L'ouverture sans troncature ne le change pas.
  bool ancien_present = false;
  mode_t droits = 0;
  {
    descripteur ancien(::open(cible.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (ancien.ouvert()) {
      struct stat infos;
      if (::fstat(ancien.fd(), &infos) == 0) {
        ancien_present = true;
        droits = infos.st_mode & 07777;
      }
      if (const int e = ancien.fermer()) return erreur_systeme(e, dossier);
    } else if (errno != ENOENT) {
      return erreur_systeme(errno, dossier);
    }
  }

  // Le successeur s'écrit à côté, sous un nom neuf ; il ne prend la place de l'ancien
  // qu'une fois entier et sur le disque.
  fichier_temporaire garde;
  const std::string base =
      std::string(nom_du_fichier_des_parties) + ".tmp-" + std::to_string(::getpid()) + "-";
  fs::path temporaire;
  int fd = -1;
  for (int essai = 0; fd < 0; ++essai) {
    temporaire = dossier / (base + std::to_string(essai));
    fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0 && (errno != EEXIST || essai == 100)) return erreur_systeme(errno, dossier);
  }
  garde.retenir(temporaire);
  descripteur f(fd);

  // Les droits de l'ancien fichier passent au nouveau ; un système de fichiers sans droits
  // (FAT) refuse fchmod, ce qui n'empêche pas de sauver.
  if (ancien_present) ::fchmod(f.fd(), droits);
  if (auto e = ecrire_tout(f.fd(), reinterpret_cast<const unsigned char*>(copie.data()),
                           sizeof copie, dossier))
    return e;
  if (::fsync(f.fd()) != 0) return erreur_systeme(errno, dossier);
  if (const int e = f.fermer()) return erreur_systeme(e, dossier);
  if (::rename(temporaire.c_str(), cible.c_str()) != 0) return erreur_systeme(errno, dossier);
  garde.abandonner();
  pousser_le_dossier(dossier);
  return std::nullopt;
}

void remplir_emplacement(partie_sauvegardee& p, const etat_du_jeu& etat) {
  p.numero_niveau = etat.numero_niveau;
  p.plan = etat.plan;
  std::copy(std::begin(etat.ligne_du_haut), std::end(etat.ligne_du_haut), p.ligne_du_haut);
  p.ligne_prise = etat.ligne_prise;
  p.nombre_de_pas = etat.nombre_de_pas;
  p.mode_affichage = etat.mode_affichage;
  p.occupe = 1;
}

namespace {

// Ce que le jeu garantit de toute position qu'il sauve : ligne_prise vaut 1 exactement quand
// la ligne du haut tient une pièce, et aucune pièce ne flotte au-dessus d'une case vide.
// Autrement, le clic suivant ne ferait plus rien, ou écraserait une pièce.
bool partie_coherente(const partie_sauvegardee& p) {
  const bool tient_une_piece = std::any_of(std::begin(p.ligne_du_haut), std::end(p.ligne_du_haut),
                                           [](piece x) { return x != 0; });
  if ((p.ligne_prise == 1) != tient_une_piece) return false;
  for (int b = 1; b <= nombre_de_paniers; ++b)
    for (int r = 1; r < cote_du_panier; ++r)
      for (int c = 1; c <= cote_du_panier; ++c)
        if (p.plan.cellule(b, r, c) != 0 && p.plan.cellule(b, r + 1, c) == 0) return false;
  return true;
}

}  // namespace

bool emplacement_valide(const partie_sauvegardee& p) {
  const auto piece_valide = [](piece x) { return x <= 15; };
  const auto* cases = &p.plan.paniers[0][0][0];
  return p.numero_niveau >= 1 && p.numero_niveau <= nombre_de_niveaux && p.mode_affichage >= 1 &&
         p.mode_affichage <= 2 && p.nombre_de_pas <= 7 && p.ligne_prise <= 1 &&
         std::all_of(cases, cases + nombre_de_paniers * cote_du_panier * cote_du_panier,
                     piece_valide) &&
         std::all_of(std::begin(p.ligne_du_haut), std::end(p.ligne_du_haut), piece_valide) &&
         partie_coherente(p);
}

resultat_es restaurer_emplacement(const partie_sauvegardee& p, etat_du_jeu& etat) {
  if (!emplacement_valide(p)) return erreur(texte_partie_invalide);
  etat.numero_niveau = p.numero_niveau;
  etat.plan = p.plan;
  std::copy(std::begin(p.ligne_du_haut), std::end(p.ligne_du_haut), etat.ligne_du_haut);
  etat.ligne_prise = p.ligne_prise;
  etat.nombre_de_pas = p.nombre_de_pas;
  etat.mode_affichage = p.mode_affichage;
  return std::nullopt;
}

dialogue_des_parties::dialogue_des_parties(sorte s, std::filesystem::path repertoire_de_depart)
    : sorte_(s) {
  // Le dialogue change lui-même de répertoire courant : un chemin relatif n'y survivrait pas.
  std::error_code ec;
  fs::path absolu = fs::absolute(repertoire_de_depart, ec);
  repertoire_de_depart_ = ec ? std::move(repertoire_de_depart) : std::move(absolu);
  // Tels que la fenêtre les dessine, avant toute lecture.
  legendes_.fill("0");
  actifs_.fill(true);
}

resultat_es dialogue_des_parties::montrer() {
  if (::chdir(repertoire_de_depart_.c_str()) != 0) {
    const int e = errno;
    // Ici ENOENT ne peut nommer que le dossier lui-même.
    return erreur(e == ENOENT ? texte_nom_incorrect : texte_d_erreur(e));
  }
  if (fichier_des_parties_existe(repertoire_de_depart_)) {
    if (auto e = lire_fichier_des_parties(repertoire_de_depart_, emplacements_)) return e;
  } else {
    for (partie_sauvegardee& p : emplacements_) {
      p.occupe = 0;
      p.numero_niveau = 0;
    }
  }
  for (std::size_t k = 0; k < emplacements_.size(); ++k) {
    legendes_[k] = std::to_string(emplacements_[k].numero_niveau);
    if (sorte_ == sorte::ouvrir) actifs_[k] = emplacements_[k].numero_niveau > 0;
  }
  return std::nullopt;
}

resultat_es dialogue_des_parties::cliquer(int k, etat_du_jeu& etat, requetes& r) {
  partie_sauvegardee& emplacement = emplacements_.at(static_cast<std::size_t>(k));
  if (sorte_ == sorte::sauver) {
    // L'enregistrement rempli reste dans la copie même si l'écriture échoue.
    remplir_emplacement(emplacement, etat);
    return ecrire_fichier_des_parties(repertoire_de_depart_, emplacements_);
  }
  if (auto e = lire_fichier_des_parties(repertoire_de_depart_, emplacements_)) return e;
  if (auto e = restaurer_emplacement(emplacement, etat)) return e;
  r.redessiner_plateau();
  r.memoriser_historique();
  return std::nullopt;
}

}  // namespace veltor
