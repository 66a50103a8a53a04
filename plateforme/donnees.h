// Où le jeu cherche ses fichiers de données (les sons, l'aide) : d'abord sous leur nom nu dans
// le répertoire de départ (le fichier du joueur l'emporte), puis dans le dossier de données du
// jeu, share/veltor95/ à côté de bin/, installé ou dans l'arbre de construction.
#pragma once

#include <QString>

namespace veltor::plateforme {

QString dossier_des_donnees();
// Le chemin du fichier `nom` trouvé, ou `nom` tel quel si rien n'est trouvé.
QString chercher_donnee(const QString& repertoire_de_depart, const QString& nom);

}  // namespace veltor::plateforme
