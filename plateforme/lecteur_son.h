// Un lecteur de son pour un fichier wave : libsndfile le décode une fois en mémoire, un
// QAudioSink le joue depuis un fil d'exécution à lui, de sorte que le son ne bégaie pas quand
// le jeu est occupé. Arrêter garde la position ; jouer reprend de la position, sauf une
// position tout à la fin, qui revient au début. Sans sortie de son, le lecteur se tait.
#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace veltor::plateforme {

class lecteur_son {
 public:
  lecteur_son();
  ~lecteur_son();
  lecteur_son(const lecteur_son&) = delete;
  lecteur_son& operator=(const lecteur_son&) = delete;

  // Ouvre et décode le fichier ; en cas d'échec, le texte d'erreur du décodeur,
  // et le lecteur reste muet.
  std::optional<QString> ouvrir(const QString& chemin);
  bool ouvert() const;

  void arreter();  // revient tout de suite
  void jouer();    // revient tout de suite ; le son joue en arrière-plan

  // Pour les tests : la position en trames et le nombre de trames du son.
  long long position() const;
  long long duree() const;
  // Pour les tests : attend que le fil du lecteur ait traité tout ce qui lui a été demandé.
  void attendre_le_fil() const;

 private:
  struct interne;
  std::unique_ptr<interne> d_;
};

}  // namespace veltor::plateforme
