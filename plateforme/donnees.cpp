#include "plateforme/donnees.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace veltor::plateforme {

QString dossier_des_donnees() {
  // bin/ et share/veltor95/ sont voisins, dans l'arbre de construction comme une fois installé.
  const QString chemin = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/../share/veltor95"));
  const QString canonique = QFileInfo(chemin).canonicalFilePath();
  return canonique.isEmpty() ? chemin : canonique;
}

QString chercher_donnee(const QString& repertoire_de_depart, const QString& nom) {
  const QString chez_le_joueur = QDir(repertoire_de_depart).filePath(nom);
  if (QFileInfo::exists(chez_le_joueur)) return chez_le_joueur;
  const QString dans_le_jeu = QDir(dossier_des_donnees()).filePath(nom);
  if (QFileInfo::exists(dans_le_jeu)) return dans_le_jeu;
  return nom;
}

}  // namespace veltor::plateforme
