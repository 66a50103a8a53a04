// Les deux dialogues des parties sauvegardées, tels que le joueur les voit : disposition,
// légendes et boutons actifs, sauvegarde puis ouverture, boîtes d'erreur.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "fenetres/ouvrir.h"
#include "fenetres/sauver.h"
#include "jeu/historique.h"
#include "jeu/regles.h"
#include "jeu/requetes_sans_fenetre.h"
#include "jeu/sauvegarde.h"
#include "outils_de_test.h"
#include "plateforme/bouton_glyphe.h"

namespace fs = std::filesystem;
using veltor::essais::appuyer;
using veltor::essais::fermeur_de_modales;

namespace {

// Les requêtes sans fenêtre, qui tiennent l'historique pour de bon, et comptent les dessins.
class requetes_comptees : public veltor::requetes_sans_fenetre {
 public:
  using requetes_sans_fenetre::requetes_sans_fenetre;
  void redessiner_plateau() override { ++dessins; }
  void memoriser_historique() override {
    ++memorisations;
    requetes_sans_fenetre::memoriser_historique();
  }
  int dessins = 0;
  int memorisations = 0;
};

struct boite_vue {
  QString titre;
  QString texte;
  QMessageBox::Icon icone;
};

// Répond « OK » à chaque boîte de message qui s'ouvre, et la note.
class repondeur {
 public:
  repondeur()
      : fermeur_([this](QWidget* modale) {
          if (auto* boite = qobject_cast<QMessageBox*>(modale)) {
            vues.push_back({boite->windowTitle(), boite->text(), boite->icon()});
            boite->accept();
          }
        }) {}
  std::vector<boite_vue> vues;

 private:
  fermeur_de_modales fermeur_;
};

enum class genre { sauver, ouvrir };

bool egaux(const veltor::etat_du_jeu& a, const veltor::etat_du_jeu& b) {
  return a.mode_affichage == b.mode_affichage && a.numero_niveau == b.numero_niveau &&
         a.nombre_de_pas == b.nombre_de_pas && a.plan == b.plan &&
         std::memcmp(a.ligne_du_haut, b.ligne_du_haut, sizeof a.ligne_du_haut) == 0 &&
         a.ligne_prise == b.ligne_prise;
}

class Dialogues : public testing::Test {
 protected:
  void SetUp() override {
    static int numero = 0;
    dossier = fs::temp_directory_path() /
              ("veltor_dialogues_" + std::to_string(::getpid()) + "_" + std::to_string(++numero));
    fs::remove_all(dossier);
    fs::create_directories(dossier);
    veltor::demarrer_partie(etat, requetes);
    requetes.dessins = requetes.memorisations = 0;
  }
  void TearDown() override {
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(dossier);
  }

  fs::path fichier() const { return dossier / "VELTOR.CFG"; }

  std::unique_ptr<Tfenetre_des_emplacements> creer(genre g, const fs::path& repertoire) {
    if (g == genre::sauver)
      return std::make_unique<Tfenetre_sauver_la_partie_en_cours>(repertoire, etat, requetes);
    return std::make_unique<Tfenetre_ouvrir_une_partie>(repertoire, etat, requetes);
  }
  std::unique_ptr<Tfenetre_des_emplacements> creer(genre g) { return creer(g, dossier); }

  void ecrire(const veltor::emplacements_des_parties& parties, std::size_t longueur = 570) {
    std::ofstream f(fichier(), std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(parties.data()), static_cast<std::streamsize>(longueur));
  }
  veltor::emplacements_des_parties lire() const {
    veltor::emplacements_des_parties parties{};
    std::ifstream f(fichier(), std::ios::binary);
    f.read(reinterpret_cast<char*>(parties.data()), sizeof parties);
    return parties;
  }

  static QStringList legendes(const Tfenetre_des_emplacements& d) {
    QStringList l;
    for (auto* b : d.boutons_emplacements) l << b->text();
    return l;
  }
  static std::vector<bool> actifs(const Tfenetre_des_emplacements& d) {
    std::vector<bool> v;
    for (auto* b : d.boutons_emplacements) v.push_back(b->isEnabled());
    return v;
  }

  fs::path dossier;
  veltor::etat_du_jeu etat{};
  requetes_comptees requetes{etat};
};

struct cas_de_disposition {
  genre g;
  const char* nom;
  const char* legende;
};

void PrintTo(const cas_de_disposition& cas, std::ostream* os) { *os << cas.nom; }

class Disposition : public Dialogues, public testing::WithParamInterface<cas_de_disposition> {};

TEST_P(Disposition, CadreBoutonsEtFocusCommeDessines) {
  const cas_de_disposition cas = GetParam();
  auto d = creer(cas.g);
  EXPECT_EQ(d->objectName(), cas.nom);
  EXPECT_EQ(d->windowTitle(), cas.legende);
  const Qt::WindowFlags drapeaux = d->windowFlags();
  EXPECT_EQ(drapeaux & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(drapeaux.testFlag(Qt::WindowTitleHint));
  EXPECT_FALSE(drapeaux.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(drapeaux.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_EQ(d->size(), QSize(296, 78));
  EXPECT_EQ(d->font().pixelSize(), 11);
  EXPECT_TRUE(d->font().bold());

  for (int k = 0; k < 6; ++k) {
    auto* b = d->findChild<veltor::plateforme::bouton_glyphe*>(
        QStringLiteral("speed_bouton_sauver_%1").arg(k + 1));
    ASSERT_NE(b, nullptr) << k;
    EXPECT_EQ(d->boutons_emplacements[k], b);
    EXPECT_EQ(b->property("Tag").toInt(), k);
    EXPECT_EQ(b->geometry(), QRect(49 * k, 0, 50, 50));
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(b->iconSize(), QSize(22, 22));
    EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(b->glyphe().isNull());
  }
  auto* fermer = d->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
  ASSERT_EQ(fermer, d->BitBtn1);
  EXPECT_EQ(fermer->geometry(), QRect(0, 49, 295, 25));
  EXPECT_EQ(fermer->text(), "&Fermer");

  d->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
  EXPECT_EQ(d->focusWidget(), fermer);
  const QRect ecran = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((d->frameGeometry().center() - ecran.center()).manhattanLength(), 1);

  // Échap et une demande de fermeture ne ferment rien ; « Fermer » ferme.
  QTest::keyClick(d.get(), Qt::Key_Escape);
  d->close();
  EXPECT_TRUE(d->isVisible());
  QTest::mouseClick(fermer, Qt::LeftButton);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(d->result(), QDialog::Rejected);
}

INSTANTIATE_TEST_SUITE_P(
    LesDeux, Disposition,
    testing::Values(cas_de_disposition{genre::sauver, "fenetre_sauver_la_partie_en_cours",
                                       "Sauver la partie en cours..."},
                    cas_de_disposition{genre::ouvrir, "fenetre_ouvrir_une_partie",
                                       "Ouvrir une partie..."}),
    [](const auto& info) { return info.param.g == genre::sauver ? "Sauver" : "Ouvrir"; });

TEST_F(Dialogues, SansFichierSixEmplacementsVidesActifsPourSauverSeulement) {
  repondeur r;
  auto sauver = creer(genre::sauver);
  auto ouvrir = creer(genre::ouvrir);
  sauver->show();
  ouvrir->show();
  const QStringList zeros(6, QStringLiteral("0"));
  EXPECT_EQ(legendes(*sauver), zeros);
  EXPECT_EQ(legendes(*ouvrir), zeros);
  EXPECT_EQ(actifs(*sauver), std::vector<bool>(6, true));
  EXPECT_EQ(actifs(*ouvrir), std::vector<bool>(6, false));
  EXPECT_TRUE(r.vues.empty());
  EXPECT_FALSE(fs::exists(fichier()));
}

// Le chemin de la barre d'outils : le dialogue montré modal, un clic de joueur sur un
// emplacement, le dialogue fermé sur son résultat.
TEST_F(Dialogues, SauverDansLEmplacement3PuisLOuvrirLeMontre) {
  veltor::commencer_niveau(etat, requetes, 2);
  auto sauver = creer(genre::sauver);
  {
    fermeur_de_modales cliqueur([&](QWidget* modale) {
      if (modale == sauver.get()) appuyer(sauver->boutons_emplacements[3]);
    });
    EXPECT_EQ(sauver->exec(), QDialog::Accepted);
  }
  ASSERT_EQ(fs::file_size(fichier()), 570u);
  const auto parties = lire();
  for (int k = 0; k < 6; ++k) EXPECT_EQ(parties[k].numero_niveau, k == 3 ? 2 : 0) << k;

  auto ouvrir = creer(genre::ouvrir);
  ouvrir->show();
  EXPECT_EQ(legendes(*ouvrir), QStringList({"0", "0", "0", "2", "0", "0"}));
  EXPECT_EQ(actifs(*ouvrir), std::vector<bool>({false, false, false, true, false, false}));
}

struct cas_d_aller_retour {
  int niveau;
  bool ligne_tenue_a_la_sauvegarde;
  int nombre_de_pas;
  int mode;
};

void PrintTo(const cas_d_aller_retour& cas, std::ostream* os) {
  *os << "niveau " << cas.niveau << (cas.ligne_tenue_a_la_sauvegarde ? ", ligne tenue" : "") << ", "
      << cas.nombre_de_pas << " pas, mode " << cas.mode;
}

class AllerRetour : public Dialogues, public testing::WithParamInterface<cas_d_aller_retour> {};

// Ce qui est sauvé revient tel quel, par-dessus une autre partie qui tient une ligne ; un
// retour en arrière juste après l'ouverture laisse la partie ouverte.
TEST_P(AllerRetour, OuvrirRendLaPartieSauvee) {
  const cas_d_aller_retour cas = GetParam();
  veltor::commencer_niveau(etat, requetes, cas.niveau);
  if (cas.ligne_tenue_a_la_sauvegarde) {
    for (int b = 1; b <= 3 && etat.ligne_prise == 0; ++b) veltor::choisir_panier(etat, requetes, b);
    ASSERT_EQ(etat.ligne_prise, 1);
  }
  etat.nombre_de_pas = static_cast<veltor::octet>(cas.nombre_de_pas);
  etat.mode_affichage = static_cast<veltor::octet>(cas.mode);
  const veltor::etat_du_jeu sauve = etat;

  auto sauver = creer(genre::sauver);
  sauver->show();
  appuyer(sauver->boutons_emplacements[1]);
  ASSERT_FALSE(sauver->isVisible());

  // Une autre partie, une ligne tenue, d'autres réglages.
  veltor::commencer_niveau(etat, requetes, 5);
  veltor::choisir_panier(etat, requetes, 1);
  ASSERT_EQ(etat.ligne_prise, 1);
  etat.nombre_de_pas = 3;
  etat.mode_affichage = cas.mode == 1 ? 2 : 1;
  requetes.dessins = requetes.memorisations = 0;

  auto ouvrir = creer(genre::ouvrir);
  ouvrir->show();
  appuyer(ouvrir->boutons_emplacements[1]);
  EXPECT_FALSE(ouvrir->isVisible());
  EXPECT_EQ(ouvrir->result(), QDialog::Accepted);
  EXPECT_TRUE(egaux(etat, sauve));
  EXPECT_EQ(requetes.dessins, 1);
  EXPECT_EQ(requetes.memorisations, 1);

  veltor::revenir_en_arriere(etat, requetes.historique_memorise(), requetes);
  EXPECT_TRUE(egaux(etat, sauve));
}

INSTANTIATE_TEST_SUITE_P(Parties, AllerRetour,
                         testing::Values(cas_d_aller_retour{7, true, 4, 1},
                                         cas_d_aller_retour{80, false, 0, 2},
                                         cas_d_aller_retour{12, true, 7, 2}),
                         [](const auto& info) {
                           return "Niveau" + std::to_string(info.param.niveau);
                         });

TEST_F(Dialogues, FermerNeChangeNiLeJeuNiLeFichier) {
  veltor::emplacements_des_parties parties{};
  parties[4].numero_niveau = 9;
  parties[4].reserve = 0xAB;
  ecrire(parties);
  const auto avant = fs::last_write_time(fichier());
  veltor::choisir_panier(etat, requetes, 1);
  const veltor::etat_du_jeu copie = etat;
  requetes.dessins = requetes.memorisations = 0;

  for (genre g : {genre::sauver, genre::ouvrir}) {
    auto d = creer(g);
    fermeur_de_modales fermeur([&](QWidget* modale) {
      if (modale == d.get()) QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(d->exec(), QDialog::Rejected);
  }
  EXPECT_TRUE(egaux(etat, copie));
  EXPECT_EQ(requetes.dessins + requetes.memorisations, 0);
  EXPECT_EQ(fs::last_write_time(fichier()), avant);
  EXPECT_EQ(lire()[4].reserve, 0xAB);
}

TEST_F(Dialogues, FichierDisparuApresLaMontreeRienNEstRendu) {
  veltor::emplacements_des_parties parties{};
  parties[2].numero_niveau = 30;
  parties[2].mode_affichage = 2;
  parties[2].nombre_de_pas = 1;
  ecrire(parties);
  repondeur r;
  auto ouvrir = creer(genre::ouvrir);
  ouvrir->show();
  ASSERT_TRUE(ouvrir->boutons_emplacements[2]->isEnabled());
  const veltor::etat_du_jeu copie = etat;

  fs::remove(fichier());
  appuyer(ouvrir->boutons_emplacements[2]);

  ASSERT_EQ(r.vues.size(), 1u);
  EXPECT_EQ(r.vues[0].titre, "VELTOR95");
  EXPECT_EQ(r.vues[0].texte, "Fichier introuvable.");
  EXPECT_EQ(r.vues[0].icone, QMessageBox::Critical);
  EXPECT_TRUE(ouvrir->isVisible());
  EXPECT_EQ(legendes(*ouvrir), QStringList({"0", "0", "30", "0", "0", "0"}));
  EXPECT_TRUE(egaux(etat, copie));
  EXPECT_EQ(requetes.dessins + requetes.memorisations, 0);
}

// Un fichier trop court : la montrée le dit, les boutons restent tels que dessinés
// (« 0 », actifs) ; ouvrir échoue de même et la fenêtre reste ouverte ; sauver récrit un
// fichier complet. L'ouverture passe par le chemin de la barre d'outils, exec().
TEST_F(Dialogues, FichierCourt) {
  ecrire(veltor::emplacements_des_parties{}, 100);
  const QString attendu = "Lecture au delà de la fin de fichier.";
  const veltor::etat_du_jeu copie = etat;
  repondeur r;

  auto ouvrir = creer(genre::ouvrir);
  QStringList legendes_vues;
  std::vector<bool> actifs_vus;
  bool ouverte_apres_l_erreur = false;
  int tour = 0;
  fermeur_de_modales joueur([&](QWidget* modale) {
    if (modale != ouvrir.get()) return;
    if (tour++ == 0) {
      legendes_vues = legendes(*ouvrir);
      actifs_vus = actifs(*ouvrir);
      appuyer(ouvrir->boutons_emplacements[0]);
    } else {
      ouverte_apres_l_erreur = ouvrir->isVisible();
      QTest::mouseClick(ouvrir->BitBtn1, Qt::LeftButton);
    }
  });
  EXPECT_EQ(ouvrir->exec(), QDialog::Rejected);
  ASSERT_EQ(r.vues.size(), 2u);
  EXPECT_EQ(r.vues[0].texte, attendu);
  EXPECT_EQ(r.vues[1].texte, attendu);
  EXPECT_EQ(legendes_vues, QStringList(6, QStringLiteral("0")));
  EXPECT_EQ(actifs_vus, std::vector<bool>(6, true));
  EXPECT_TRUE(ouverte_apres_l_erreur);
  EXPECT_TRUE(egaux(etat, copie));

  auto sauver = creer(genre::sauver);
  sauver->show();
  ASSERT_EQ(r.vues.size(), 3u);
  EXPECT_EQ(r.vues[2].texte, attendu);
  appuyer(sauver->boutons_emplacements[5]);
  EXPECT_EQ(r.vues.size(), 3u);
  EXPECT_FALSE(sauver->isVisible());
  EXPECT_EQ(fs::file_size(fichier()), 570u);
  EXPECT_EQ(lire()[5].numero_niveau, 1);
}

TEST_F(Dialogues, EnregistrementHorsDesBornesRefuse) {
  veltor::emplacements_des_parties parties{};
  parties[0].numero_niveau = 81;
  parties[0].mode_affichage = 2;
  ecrire(parties);
  repondeur r;
  const veltor::etat_du_jeu copie = etat;

  auto ouvrir = creer(genre::ouvrir);
  ouvrir->show();
  EXPECT_EQ(ouvrir->boutons_emplacements[0]->text(), "81");
  appuyer(ouvrir->boutons_emplacements[0]);
  ASSERT_EQ(r.vues.size(), 1u);
  EXPECT_EQ(r.vues[0].texte, "Partie sauvegardée invalide.");
  EXPECT_TRUE(ouvrir->isVisible());
  EXPECT_TRUE(egaux(etat, copie));
  EXPECT_EQ(requetes.dessins + requetes.memorisations, 0);
}

// Un répertoire de départ qui n'existe plus : chaque montrée et chaque sauvegarde le disent,
// la fenêtre reste ouverte et le jeu ne change pas.
TEST_F(Dialogues, SauvegardeImpossibleLaFenetreResteOuverte) {
  repondeur r;
  auto sauver = creer(genre::sauver, dossier / "disparu");
  sauver->show();
  ASSERT_EQ(r.vues.size(), 1u);
  const veltor::etat_du_jeu copie = etat;
  appuyer(sauver->boutons_emplacements[2]);
  ASSERT_EQ(r.vues.size(), 2u);
  for (const boite_vue& v : r.vues) {
    EXPECT_EQ(v.titre, "VELTOR95");
    EXPECT_EQ(v.icone, QMessageBox::Critical);
    EXPECT_TRUE(v.texte.endsWith('.') && !v.texte.endsWith("..")) << v.texte.toStdString();
  }
  EXPECT_TRUE(sauver->isVisible());
  EXPECT_TRUE(egaux(etat, copie));
  EXPECT_EQ(sauver->logique().emplacements()[2].numero_niveau, 1);
}

}  // namespace
