#include "demarrage_application.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>

#include "Demarage.h"
#include "afficher_fenetre.h"
#include "fin.h"
#include "ouvrir.h"
#include "sauver.h"
#include "plateforme/boites.h"
#include "plateforme/polices.h"
#include "plateforme/profondeur.h"
#include "ressources/images.h"
#include "Suivant.h"

namespace veltor::fenetres {

QString message_profondeur_insuffisante() {
  return QStringLiteral(
      "VELTOR95  1.0 Pour Windows 95/98/NT ne tourne qu'à partir de 65536 couleurs, (soit un "
      "minimum de 16 bits).Veuillez configurer votre sytème en conséquence.");
}

std::filesystem::path repertoire_de_depart_depuis(const std::filesystem::path& courant) {
  std::string texte = courant.string();
  if (texte.empty() || texte.back() != std::filesystem::path::preferred_separator) {
    texte.push_back(std::filesystem::path::preferred_separator);
  }
  return std::filesystem::path(texte);
}

void preparer_l_application(QApplication& application) {
  // Le nom de l'application pour le bureau ; aucun nom d'affichage, que Qt ajouterait aux titres.
  application.setApplicationName(QString::fromLatin1(titre_de_l_application));
  application.setDesktopFileName(QStringLiteral("veltor95"));
  application.setProperty("fichier_d_aide", QString::fromLatin1(fichier_d_aide));
  plateforme::substituer_polices();
  // Le gris argent des fenêtres et des boutons de l'époque, pour toutes les fenêtres du jeu.
  QPalette palette = application.palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  palette.setColor(QPalette::Button, QColor(192, 192, 192));
  application.setPalette(palette);
  // L'icône des fenêtres, pour les bureaux qui ne la prennent pas du fichier .desktop.
  QIcon icone;
  icone.addPixmap(ressources::image(QStringLiteral("icone")));
  icone.addPixmap(ressources::image(QStringLiteral("icone_grande")));
  application.setWindowIcon(icone);
}

fenetres_du_jeu::fenetres_du_jeu(const std::filesystem::path& repertoire_de_depart,
                                 std::chrono::nanoseconds trame)
    : principale(std::make_unique<Tfenetre_principale>(repertoire_de_depart, trame)) {
  centrer(principale.get());
  principale->show();
  Tfenetre_principale* p = principale.get();
  suivant = std::make_unique<Tfenetre_suivant>(p);
  ouvrir = std::make_unique<Tfenetre_ouvrir_une_partie>(repertoire_de_depart, p->etat(), *p, p);
  sauver =
      std::make_unique<Tfenetre_sauver_la_partie_en_cours>(repertoire_de_depart, p->etat(), *p, p);
  fin = std::make_unique<Tfenetre_fin>(p);
  p->definir_fenetres(suivant.get(), ouvrir.get(), sauver.get(), fin.get());
}

// Les fenêtres secondaires partent avant la principale, leur parent.
fenetres_du_jeu::~fenetres_du_jeu() = default;

int lancer_le_jeu(QApplication& application, const std::filesystem::path& repertoire_courant,
                  int profondeur) {
  if (!plateforme::profondeur_suffisante(profondeur)) {
    plateforme::boite_information(nullptr, message_profondeur_insuffisante());
    return 0;
  }
  preparer_l_application(application);
  const fenetres_du_jeu fenetres(repertoire_de_depart_depuis(repertoire_courant));
  return application.exec();
}

}  // namespace veltor::fenetres
