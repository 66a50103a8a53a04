// Les boîtes de message du jeu, avec ses propres titres, textes, icônes et boutons.
#pragma once

#include <QString>

class QWidget;

namespace veltor::plateforme {

// « Information », un bouton « OK ».
void boite_information(QWidget* parent, const QString& texte);
// « Confirmation », icône de question, boutons « &Oui » et « &Non » ; vrai pour « Oui ».
bool boite_confirmation(QWidget* parent, const QString& texte);
// Le titre de l'application, icône d'erreur, un bouton « OK ».
void boite_erreur(QWidget* parent, const QString& titre, const QString& texte);

}  // namespace veltor::plateforme
