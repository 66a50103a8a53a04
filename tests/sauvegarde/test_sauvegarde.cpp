// Les parties sauvegardées : disposition des octets, lecture des fichiers trop courts ou trop
// longs, logique des deux dialogues, et les vrais échecs du système, qui doivent laisser
// l'ancien fichier intact octet pour octet.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "jeu/sauvegarde.h"

namespace veltor {
namespace {

namespace fs = std::filesystem;
using octets = std::vector<unsigned char>;
using sorte = dialogue_des_parties::sorte;

// Enregistre chaque requête reçue ; seules deux sont permises au dialogue « Ouvrir ».
class requetes_espion : public requetes {
 public:
  std::vector<std::string> appels;

  void memoriser_historique() override { appels.push_back("memoriser_historique"); }
  void vider_liste_des_deplacements() override { appels.push_back("vider"); }
  void ajouter_deplacement(lieu, lieu) override { appels.push_back("ajouter"); }
  void animer_deplacements() override { appels.push_back("animer"); }
  void repeindre_en_attente() override { appels.push_back("repeindre"); }
  void effacer_cases() override { appels.push_back("effacer"); }
  void redessiner_plateau() override { appels.push_back("redessiner_plateau"); }
  void jouer_son_niveau() override { appels.push_back("son"); }
  void montrer_fenetre_suivant(const std::string&) override { appels.push_back("suivant"); }
  void montrer_fenetre_fin() override { appels.push_back("fin"); }
  void terminer_programme() override { appels.push_back("terminer"); }
};

const std::vector<std::string> apres_ouverture = {"redessiner_plateau", "memoriser_historique"};

std::string texte(const resultat_es& r) { return r ? r->texte : ""; }

// Un état où chaque octet dit d'où il vient : une case mal placée se voit.
etat_du_jeu etat_reconnaissable(int niveau = 37) {
  etat_du_jeu e;
  e.numero_niveau = static_cast<octet>(niveau);
  e.mode_affichage = 2;
  e.nombre_de_pas = 5;
  e.ligne_prise = 1;
  const octet tete[9] = {1, 0, 1, 1, 0, 0, 1, 0, 1};
  std::copy(std::begin(tete), std::begin(tete) + 6, e.plan.retournements_permis);
  std::copy(std::begin(tete) + 6, std::end(tete), e.plan.portes_visibles);
  for (int b = 1; b <= 3; ++b)
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 5; ++c)
        e.cellule(b, r, c) = static_cast<piece>(1 + (5 * b + 3 * r + c) % 15);
  for (int k = 1; k <= 5; ++k) e.haut(k) = static_cast<piece>(10 + k);
  e.nombre_a_effacer = 2;
  e.cases_a_effacer[1] = {2, 3, 4};
  e.cases_a_effacer[2] = {1, 1, 5};
  return e;
}

bool memes_etats(const etat_du_jeu& a, const etat_du_jeu& b) {
  return a.mode_affichage == b.mode_affichage && a.numero_niveau == b.numero_niveau &&
         a.nombre_de_pas == b.nombre_de_pas && a.plan == b.plan &&
         std::equal(std::begin(a.ligne_du_haut), std::end(a.ligne_du_haut),
                    std::begin(b.ligne_du_haut)) &&
         a.ligne_prise == b.ligne_prise && a.nombre_a_effacer == b.nombre_a_effacer &&
         std::equal(std::begin(a.cases_a_effacer), std::end(a.cases_a_effacer),
                    std::begin(b.cases_a_effacer));
}

// Six emplacements valides, de niveaux donnés (0 : vide), chacun reconnaissable.
emplacements_des_parties emplacements_de_niveaux(std::array<int, 6> niveaux) {
  emplacements_des_parties e{};
  for (int k = 0; k < 6; ++k) {
    remplir_emplacement(e[k], etat_reconnaissable(niveaux[k] == 0 ? 1 : niveaux[k]));
    e[k].numero_niveau = static_cast<octet>(niveaux[k]);
    e[k].reserve = static_cast<octet>(0x40 + k);
  }
  return e;
}

octets en_octets(const emplacements_des_parties& e) {
  const auto* p = reinterpret_cast<const unsigned char*>(e.data());
  return octets(p, p + sizeof e);
}

octets lire_octets(const fs::path& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return octets(std::istreambuf_iterator<char>(f), {});
}

void ecrire_octets(const fs::path& chemin, const octets& contenu) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(contenu.data()),
          static_cast<std::streamsize>(contenu.size()));
}

std::set<std::string> noms_dans(const fs::path& dossier) {
  std::set<std::string> noms;
  for (const auto& entree : fs::directory_iterator(dossier)) noms.insert(entree.path().filename());
  return noms;
}

// Chaque test travaille dans un dossier neuf, effacé ensuite, et retrouve son répertoire
// courant : montrer() en change.
class Sauvegarde : public ::testing::Test {
 protected:
  void SetUp() override {
    depart_ = fs::current_path();
    std::string modele = (fs::temp_directory_path() / "veltor-sauvegarde-XXXXXX").string();
    ASSERT_NE(::mkdtemp(modele.data()), nullptr);
    dossier_ = modele;
  }
  void TearDown() override {
    fs::current_path(depart_);
    std::error_code ec;
    // Les dossiers mis en lecture seule par un test doivent redevenir effaçables.
    fs::permissions(dossier_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (const auto& entree : fs::recursive_directory_iterator(dossier_, ec))
      if (entree.is_directory() && !entree.is_symlink())
        fs::permissions(entree.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dossier_, ec);
  }

  fs::path fichier() const { return dossier_ / nom_du_fichier_des_parties; }
  void ecrire_fichier(const emplacements_des_parties& e) const {
    ecrire_octets(fichier(), en_octets(e));
  }

  fs::path depart_;
  fs::path dossier_;
};

TEST(TexteDErreur, ChaqueErrnoDonneLeTexteDuJeu) {
  const struct {
    int numero;
    const char* attendu;
  } cas[] = {
      {ENOENT, "Fichier introuvable"},
      {ENOTDIR, "Nom de fichier incorrect"},
      {ENAMETOOLONG, "Nom de fichier incorrect"},
      {EMFILE, "Trop de fichiers ouverts"},
      {ENFILE, "Trop de fichiers ouverts"},
      {EACCES, "Accès au fichier refusé"},
      {EPERM, "Accès au fichier refusé"},
      {EROFS, "Accès au fichier refusé"},
      {EISDIR, "Accès au fichier refusé"},
      {ENOSPC, "Disque plein"},
      {EDQUOT, "Disque plein"},
      {EFBIG, "Disque plein"},
      {EIO, "Erreur E/S 5"},
      {EXDEV, "Erreur E/S 18"},
  };
  for (const auto& c : cas) EXPECT_EQ(texte_d_erreur(c.numero), c.attendu) << c.numero;
}

TEST_F(Sauvegarde, ChaqueChampTombeASonOctetDansLeFichier) {
  const etat_du_jeu etat = etat_reconnaissable();
  emplacements_des_parties copie{};
  copie[2].reserve = 0xA5;
  copie[4].numero_niveau = 9;
  remplir_emplacement(copie[2], etat);
  ASSERT_EQ(ecrire_fichier_des_parties(dossier_, copie), std::nullopt);

  const octets f = lire_octets(fichier());
  ASSERT_EQ(f.size(), 570u);
  const auto o = [&](int i) { return static_cast<int>(f[95 * 2 + i]); };
  EXPECT_EQ(o(0), 1);  // occupe
  EXPECT_EQ(o(1), 37);
  EXPECT_EQ(o(2), 0xA5);  // reserve, laissé tel quel
  for (int i = 0; i < 6; ++i) EXPECT_EQ(o(3 + i), etat.plan.retournements_permis[i]) << i;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(o(9 + i), etat.plan.portes_visibles[i]) << i;
  for (int b = 1; b <= 3; ++b)
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(o(12 + 25 * (b - 1) + 5 * (r - 1) + (c - 1)), etat.cellule(b, r, c))
            << b << r << c;
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(o(86 + k), etat.haut(k)) << k;
  EXPECT_EQ(o(92), 1);  // ligne_prise
  EXPECT_EQ(o(93), 5);  // nombre_de_pas
  EXPECT_EQ(o(94), 2);  // mode_affichage
  EXPECT_EQ(f[95 * 4 + 1], 9);
  EXPECT_EQ(f, en_octets(copie));

  emplacements_des_parties relu{};
  ASSERT_EQ(lire_fichier_des_parties(dossier_, relu), std::nullopt);
  EXPECT_EQ(en_octets(relu), en_octets(copie));
}

TEST_F(Sauvegarde, SansFichierSixEmplacementsVidesPuisLaSauvegardeCreeLeFichier) {
  dialogue_des_parties sauver(sorte::sauver, dossier_), ouvrir(sorte::ouvrir, dossier_);
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(ouvrir.actif(k) && ouvrir.legende(k) == "0");

  EXPECT_FALSE(fichier_des_parties_existe(dossier_));
  ASSERT_EQ(sauver.montrer(), std::nullopt);
  EXPECT_EQ(fs::current_path(), dossier_);
  ASSERT_EQ(ouvrir.montrer(), std::nullopt);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(sauver.legende(k), "0");
    EXPECT_TRUE(sauver.actif(k));
    EXPECT_EQ(ouvrir.legende(k), "0");
    EXPECT_FALSE(ouvrir.actif(k));
  }

  etat_du_jeu etat = etat_reconnaissable(23);
  const etat_du_jeu avant = etat;
  requetes_espion espion;
  ASSERT_EQ(sauver.cliquer(3, etat, espion), std::nullopt);
  EXPECT_TRUE(memes_etats(etat, avant));
  EXPECT_TRUE(espion.appels.empty());

  const octets f = lire_octets(fichier());
  ASSERT_EQ(f.size(), 570u);
  for (int k = 0; k < 6; ++k) {
    if (k == 3) continue;
    EXPECT_TRUE(std::all_of(f.begin() + 95 * k, f.begin() + 95 * (k + 1), [](unsigned char x) {
      return x == 0;
    })) << k;
  }
  ASSERT_EQ(ouvrir.montrer(), std::nullopt);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(ouvrir.legende(k), k == 3 ? "23" : "0") << k;
    EXPECT_EQ(ouvrir.actif(k), k == 3) << k;
  }
}

TEST_F(Sauvegarde, FichierTropCourtIlliblePuisRemplaceParUneSauvegarde) {
  const struct {
    std::size_t taille;
    int niveau_relu_du_premier;  // la lecture a pu remplir les enregistrements entiers
  } cas[] = {{0, 0}, {569, 20}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.taille);
    ecrire_fichier(emplacements_de_niveaux({10, 11, 12, 13, 14, 0}));
    dialogue_des_parties ouvrir(sorte::ouvrir, dossier_), sauver(sorte::sauver, dossier_);
    ASSERT_EQ(ouvrir.montrer(), std::nullopt);

    octets court = en_octets(emplacements_de_niveaux({20, 21, 22, 23, 24, 25}));
    court.resize(c.taille);
    ecrire_octets(fichier(), court);
    EXPECT_EQ(texte(ouvrir.montrer()), "Lecture au delà de la fin de fichier");
    for (int k = 0; k < 6; ++k) {  // légendes et boutons de la montrée d'avant
      EXPECT_EQ(ouvrir.legende(k), k < 5 ? std::to_string(10 + k) : "0") << k;
      EXPECT_EQ(ouvrir.actif(k), k < 5) << k;
    }
    etat_du_jeu etat = etat_reconnaissable(3);
    const etat_du_jeu avant = etat;
    requetes_espion espion;
    EXPECT_EQ(texte(ouvrir.cliquer(2, etat, espion)), "Lecture au delà de la fin de fichier");
    EXPECT_TRUE(memes_etats(etat, avant));
    EXPECT_TRUE(espion.appels.empty());

    EXPECT_EQ(texte(sauver.montrer()), "Lecture au delà de la fin de fichier");
    EXPECT_EQ(sauver.legende(0), "0");
    ASSERT_EQ(sauver.cliquer(5, etat, espion), std::nullopt);
    emplacements_des_parties relu{};
    ASSERT_EQ(lire_fichier_des_parties(dossier_, relu), std::nullopt);
    EXPECT_EQ(fs::file_size(fichier()), 570u);
    EXPECT_EQ(relu[0].numero_niveau, c.niveau_relu_du_premier);
    EXPECT_EQ(relu[5].numero_niveau, 3);
  }
}

TEST_F(Sauvegarde, FichierTropLongLuSurSes570PremiersOctetsPuisCoupe) {
  const emplacements_des_parties debut = emplacements_de_niveaux({1, 2, 3, 4, 5, 6});
  octets long_ = en_octets(debut);
  long_.resize(4096, 0xEE);
  ecrire_octets(fichier(), long_);

  dialogue_des_parties sauver(sorte::sauver, dossier_);
  ASSERT_EQ(sauver.montrer(), std::nullopt);
  EXPECT_EQ(en_octets(sauver.emplacements()), en_octets(debut));
  etat_du_jeu etat = etat_reconnaissable(50);
  requetes_espion espion;
  ASSERT_EQ(sauver.cliquer(1, etat, espion), std::nullopt);

  emplacements_des_parties attendu = debut;
  remplir_emplacement(attendu[1], etat);
  EXPECT_EQ(lire_octets(fichier()), en_octets(attendu));
}

TEST_F(Sauvegarde, LOctetReserveSurvitAToutesLesSauvegardes) {
  emplacements_des_parties initial = emplacements_de_niveaux({7, 0, 8, 0, 9, 0});
  for (int k = 0; k < 6; ++k) initial[k].reserve = static_cast<octet>(0x11 * (k + 1));
  ecrire_fichier(initial);

  dialogue_des_parties sauver(sorte::sauver, dossier_);
  requetes_espion espion;
  ASSERT_EQ(sauver.montrer(), std::nullopt);
  for (int k : {1, 1, 4}) {
    etat_du_jeu etat = etat_reconnaissable(60 + k);
    ASSERT_EQ(sauver.cliquer(k, etat, espion), std::nullopt);
  }
  // Sans fichier, la montrée ne vide que occupe et le numéro : le reste de la copie demeure.
  fs::remove(fichier());
  ASSERT_EQ(sauver.montrer(), std::nullopt);
  etat_du_jeu etat = etat_reconnaissable(70);
  ASSERT_EQ(sauver.cliquer(0, etat, espion), std::nullopt);

  const octets f = lire_octets(fichier());
  ASSERT_EQ(f.size(), 570u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(f[95 * k + 2], 0x11 * (k + 1)) << k;
    EXPECT_EQ(f[95 * k + 1], k == 0 ? 70 : 0) << k;
  }
}

TEST_F(Sauvegarde, SeulLeNumeroDeNiveauDitSiUnEmplacementEstOccupe) {
  emplacements_des_parties e = emplacements_de_niveaux({12, 0, 0, 80, 0, 0});
  e[0].occupe = 0;
  e[1].occupe = 1;
  e[2].occupe = 0;
  e[3].occupe = 1;
  ecrire_fichier(e);

  dialogue_des_parties ouvrir(sorte::ouvrir, dossier_);
  ASSERT_EQ(ouvrir.montrer(), std::nullopt);
  const char* legendes[] = {"12", "0", "0", "80", "0", "0"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(ouvrir.legende(k), legendes[k]) << k;
    EXPECT_EQ(ouvrir.actif(k), k == 0 || k == 3) << k;
  }
  etat_du_jeu etat;
  requetes_espion espion;
  ASSERT_EQ(ouvrir.cliquer(0, etat, espion), std::nullopt);
  EXPECT_EQ(etat.numero_niveau, 12);
}

TEST_F(Sauvegarde, UnEnregistrementQuiCasseraitLeJeuEstRefuse) {
  const struct {
    const char* nom;
    std::function<void(partie_sauvegardee&)> abimer;
    bool accepte;
  } cas[] = {
      {"niveau 0", [](auto& p) { p.numero_niveau = 0; }, false},
      {"niveau 81", [](auto& p) { p.numero_niveau = 81; }, false},
      {"mode 0", [](auto& p) { p.mode_affichage = 0; }, false},
      {"mode 3", [](auto& p) { p.mode_affichage = 3; }, false},
      {"vitesse 8", [](auto& p) { p.nombre_de_pas = 8; }, false},
      {"ligne prise 2", [](auto& p) { p.ligne_prise = 2; }, false},
      {"case 16", [](auto& p) { p.plan.cellule(3, 5, 5) = 16; }, false},
      {"case du haut 255", [](auto& p) { p.ligne_du_haut[4] = 255; }, false},
      {"niveau 1, vitesse 0, mode 1",
       [](auto& p) {
         p.numero_niveau = 1;
         p.nombre_de_pas = 0;
         p.mode_affichage = 1;
       },
       true},
      {"niveau 80, vitesse 7, case 15",
       [](auto& p) {
         p.numero_niveau = 80;
         p.nombre_de_pas = 7;
         p.plan.cellule(1, 1, 1) = 15;
       },
       true},
      // Des positions que le jeu n'aurait jamais sauvées : le clic suivant ne ferait plus
      // rien, ou écraserait une pièce.
      {"pièces tenues sans ligne prise", [](auto& p) { p.ligne_prise = 0; }, false},
      {"ligne prise sans pièce tenue",
       [](auto& p) { std::fill(std::begin(p.ligne_du_haut), std::end(p.ligne_du_haut), 0); },
       false},
      {"pièce qui flotte sur une case vide", [](auto& p) { p.plan.cellule(2, 4, 3) = 0; }, false},
      {"rien de tenu, colonne entamée par le haut",
       [](auto& p) {
         std::fill(std::begin(p.ligne_du_haut), std::end(p.ligne_du_haut), 0);
         p.ligne_prise = 0;
         p.plan.cellule(1, 1, 1) = 0;
         p.plan.cellule(1, 2, 1) = 0;
       },
       true},
      {"octets de tête 2 et 255",
       [](auto& p) {
         p.plan.retournements_permis[0] = 2;
         p.plan.portes_visibles[2] = 255;
       },
       true},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    emplacements_des_parties e = emplacements_de_niveaux({5, 5, 5, 5, 5, 5});
    c.abimer(e[2]);
    ecrire_fichier(e);
    dialogue_des_parties ouvrir(sorte::ouvrir, dossier_);
    ASSERT_EQ(ouvrir.montrer(), std::nullopt);
    etat_du_jeu etat = etat_reconnaissable(44);
    etat.ligne_prise = 0;
    const etat_du_jeu avant = etat;
    requetes_espion espion;
    const resultat_es r = ouvrir.cliquer(2, etat, espion);
    EXPECT_EQ(emplacement_valide(e[2]), c.accepte);
    if (c.accepte) {
      EXPECT_EQ(r, std::nullopt);
      EXPECT_EQ(etat.plan, e[2].plan);
      EXPECT_EQ(espion.appels, apres_ouverture);
    } else {
      EXPECT_EQ(texte(r), "Partie sauvegardée invalide");
      EXPECT_TRUE(memes_etats(etat, avant));
      EXPECT_TRUE(espion.appels.empty());
    }
  }
}

TEST_F(Sauvegarde, OuvrirRendLaPositionSauveeEtRienDAutre) {
  const struct {
    const char* nom;
    int emplacement;
    std::function<void(etat_du_jeu&)> position;
  } cas[] = {
      {"ligne tenue", 0, [](etat_du_jeu& e) { e = etat_reconnaissable(12); }},
      {"rien de tenu, niveau 80, vitesse 0, mode simplifié", 5,
       [](etat_du_jeu& e) {
         e = etat_reconnaissable(80);
         std::fill(std::begin(e.ligne_du_haut), std::end(e.ligne_du_haut), 0);
         e.ligne_prise = 0;
         e.nombre_de_pas = 0;
         e.mode_affichage = 1;
       }},
      {"niveau 1, vitesse 7, mode graphique", 3,
       [](etat_du_jeu& e) {
         e = etat_reconnaissable(1);
         e.nombre_de_pas = 7;
       }},
  };
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    etat_du_jeu sauve;
    c.position(sauve);
    dialogue_des_parties sauver(sorte::sauver, dossier_), ouvrir(sorte::ouvrir, dossier_);
    requetes_espion espion;
    ASSERT_EQ(sauver.montrer(), std::nullopt);
    ASSERT_EQ(sauver.cliquer(c.emplacement, sauve, espion), std::nullopt);

    // Le jeu a continué ailleurs : autre niveau, autre ligne tenue, liste d'effacement à soi.
    etat_du_jeu etat = etat_reconnaissable(66);
    etat.plan.cellule(2, 2, 2) = 9;
    std::fill(std::begin(etat.ligne_du_haut), std::end(etat.ligne_du_haut), 4);
    etat.nombre_de_pas = 3;
    etat.mode_affichage = 2;
    etat.nombre_a_effacer = 1;
    etat.cases_a_effacer[1] = {3, 3, 3};
    ASSERT_EQ(ouvrir.montrer(), std::nullopt);
    ASSERT_EQ(ouvrir.cliquer(c.emplacement, etat, espion), std::nullopt);

    etat_du_jeu attendu = sauve;
    attendu.nombre_a_effacer = etat.nombre_a_effacer;
    std::copy(std::begin(etat.cases_a_effacer), std::end(etat.cases_a_effacer),
              attendu.cases_a_effacer);
    EXPECT_TRUE(memes_etats(etat, attendu));
    EXPECT_EQ(etat.cases_a_effacer[1], (case_a_effacer{3, 3, 3}));
    EXPECT_EQ(espion.appels, apres_ouverture);
  }
}

TEST_F(Sauvegarde, FichierDisparuApresLaMontreeRienNEstRendu) {
  ecrire_fichier(emplacements_de_niveaux({4, 4, 4, 4, 4, 4}));
  dialogue_des_parties ouvrir(sorte::ouvrir, dossier_);
  ASSERT_EQ(ouvrir.montrer(), std::nullopt);
  fs::remove(fichier());

  etat_du_jeu etat = etat_reconnaissable(9);
  const etat_du_jeu avant = etat;
  requetes_espion espion;
  EXPECT_EQ(texte(ouvrir.cliquer(1, etat, espion)), "Fichier introuvable");
  EXPECT_TRUE(memes_etats(etat, avant));
  EXPECT_TRUE(espion.appels.empty());
  EXPECT_EQ(ouvrir.legende(1), "4");
}

TEST_F(Sauvegarde, LeRemplacementGardeLesDroitsEtSuitLeLien) {
  const fs::path ailleurs = dossier_ / "ailleurs";
  fs::create_directory(ailleurs);
  ecrire_octets(ailleurs / "VRAI.CFG", en_octets(emplacements_de_niveaux({1, 1, 1, 1, 1, 1})));
  fs::permissions(ailleurs / "VRAI.CFG", fs::perms(0640));
  fs::create_symlink("ailleurs/VRAI.CFG", fichier());

  dialogue_des_parties sauver(sorte::sauver, dossier_);
  etat_du_jeu etat = etat_reconnaissable(31);
  requetes_espion espion;
  ASSERT_EQ(sauver.montrer(), std::nullopt);
  ASSERT_EQ(sauver.cliquer(2, etat, espion), std::nullopt);

  EXPECT_TRUE(fs::is_symlink(fichier()));
  EXPECT_EQ(lire_octets(ailleurs / "VRAI.CFG")[95 * 2 + 1], 31);
  EXPECT_EQ(fs::status(ailleurs / "VRAI.CFG").permissions(), fs::perms(0640));
  EXPECT_EQ(noms_dans(ailleurs), std::set<std::string>{"VRAI.CFG"});
}

// Les vrais échecs du système. Chaque cas se joue dans un processus fils : il peut y
// devenir un utilisateur ordinaire (root passe outre les droits) ou y limiter la taille
// des fichiers sans gêner les autres tests.
struct echec_reel {
  const char* nom;
  // Prépare le dossier neuf (qui contient déjà l'ancien VELTOR.CFG) ; rend le répertoire
  // de départ à donner au dialogue.
  std::function<fs::path(const fs::path& dossier)> preparer;
  bool utilisateur_ordinaire;
  bool taille_limitee;
  const char* texte_montrer;  // "" : la montrée réussit
  const char* texte_sauver;
};

// Pour que GoogleTest nomme le cas plutôt que d'en montrer les octets.
void PrintTo(const echec_reel& c, std::ostream* os) { *os << c.nom; }

constexpr uid_t personne = 65534;
constexpr int code_impossible = 77;

// Rend ce que le fils a écrit, ou rien quand il n'a pas pu devenir un utilisateur ordinaire.
std::optional<std::string> dans_un_fils(bool utilisateur_ordinaire, bool taille_limitee,
                                        const std::function<std::string()>& action) {
  int tube[2];
  if (::pipe(tube) != 0) return "pipe: " + std::string(std::strerror(errno));
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(tube[0]);
    if (utilisateur_ordinaire && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setresgid(personne, personne, personne) != 0 ||
         ::setresuid(personne, personne, personne) != 0))
      ::_exit(code_impossible);
    if (taille_limitee) {
      // Sans cela SIGXFSZ tuerait le fils au lieu de faire échouer l'écriture par EFBIG.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limite{100, 100};
      if (::setrlimit(RLIMIT_FSIZE, &limite) != 0) ::_exit(code_impossible);
    }
    const std::string resultat = action();
    if (::write(tube[1], resultat.data(), resultat.size()) < 0) ::_exit(2);
    ::_exit(0);
  }
  ::close(tube[1]);
  std::string lu;
  char tampon[256];
  for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;) lu.append(tampon, n);
  ::close(tube[0]);
  int statut = 0;
  ::waitpid(pid, &statut, 0);
  if (WIFEXITED(statut) && WEXITSTATUS(statut) == code_impossible) return std::nullopt;
  EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << "statut du fils " << statut;
  return lu;
}

class EchecReel : public Sauvegarde, public ::testing::WithParamInterface<echec_reel> {};

TEST_P(EchecReel, LAncienFichierResteIntact) {
  const echec_reel& c = GetParam();
  const octets ancien = en_octets(emplacements_de_niveaux({3, 0, 6, 0, 9, 0}));
  ecrire_octets(fichier(), ancien);
  const fs::path repertoire = c.preparer(dossier_);

  const auto issue = dans_un_fils(c.utilisateur_ordinaire, c.taille_limitee, [&] {
    dialogue_des_parties sauver(sorte::sauver, repertoire);
    etat_du_jeu etat = etat_reconnaissable(55);
    requetes_espion espion;
    const std::string montree = texte(sauver.montrer());
    return montree + "|" + texte(sauver.cliquer(4, etat, espion));
  });
  if (!issue) GTEST_SKIP() << "impossible de devenir un utilisateur ordinaire";
  EXPECT_EQ(*issue, std::string(c.texte_montrer) + "|" + c.texte_sauver);

  // Ni temporaire oublié ni fichier remplacé.
  EXPECT_EQ(noms_dans(dossier_), std::set<std::string>{"VELTOR.CFG"});
  if (fs::is_directory(fichier()))
    EXPECT_EQ(lire_octets(fichier() / "dedans"), octets{42});
  else
    EXPECT_EQ(lire_octets(fichier()), ancien);
}

const echec_reel echecs_reels[] = {
    {"dossier_absent", [](const fs::path& d) { return d / "absent"; }, false, false,
     "Nom de fichier incorrect", "Nom de fichier incorrect"},
    {"pas_un_dossier", [](const fs::path& d) { return d / "VELTOR.CFG"; }, false, false,
     "Nom de fichier incorrect", "Nom de fichier incorrect"},
    {"nom_trop_long", [](const fs::path& d) { return d / std::string(300, 'x'); }, false, false,
     "Nom de fichier incorrect", "Nom de fichier incorrect"},
    {"fichier_remplace_par_un_dossier",
     [](const fs::path& d) {
       fs::remove(d / "VELTOR.CFG");
       fs::create_directory(d / "VELTOR.CFG");
       ecrire_octets(d / "VELTOR.CFG" / "dedans", {42});
       return d;
     },
     false, false, "Accès au fichier refusé", "Accès au fichier refusé"},
    {"dossier_en_lecture_seule",
     [](const fs::path& d) {
       fs::permissions(d / "VELTOR.CFG", fs::perms(0666));
       fs::permissions(d, fs::perms(0555));
       return d;
     },
     true, false, "", "Accès au fichier refusé"},
    {"fichier_en_lecture_seule",
     [](const fs::path& d) {
       fs::permissions(d / "VELTOR.CFG", fs::perms(0444));
       fs::permissions(d, fs::perms(0777));
       return d;
     },
     true, false, "", "Accès au fichier refusé"},
    {"plus_de_place", [](const fs::path& d) { return d; }, false, true, "", "Disque plein"},
};

INSTANTIATE_TEST_SUITE_P(Sauvegarde, EchecReel, ::testing::ValuesIn(echecs_reels),
                         [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace veltor
