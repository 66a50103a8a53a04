// La fenêtre de fin, montrée une fois, après le niveau 80.
#pragma once

#include <QDialog>

class Tfenetre_fin : public QDialog {
  Q_OBJECT
 public:
  explicit Tfenetre_fin(QWidget* parent = nullptr);

 protected:
  // Sans bouton de barre de titre, la fenêtre ne se ferme que par son bouton.
  void reject() override {}

 private:
  void FormCreate();
};
