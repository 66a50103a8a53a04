// La cadence des animations : chaque étape intermédiaire reste à l'écran au moins une trame
// d'un affichage à 60 Hz, mesurée sur une horloge régulière, sans traiter d'entrée.
#pragma once

#include <chrono>

namespace veltor::fenetres {

inline constexpr std::chrono::nanoseconds trame_60hz{1'000'000'000 / 60};

class cadence {
 public:
  explicit cadence(std::chrono::nanoseconds trame) : trame_(trame) {}

  // Attend qu'une trame se soit écoulée depuis l'étape précédente, puis note l'instant.
  void tenir_l_etape();
  // Oublie l'étape précédente : la prochaine n'attend rien.
  void reprendre() { precedente_.reset(); }

  std::chrono::nanoseconds trame() const { return trame_; }

 private:
  std::chrono::nanoseconds trame_;
  struct instant {
    std::chrono::steady_clock::time_point t;
    bool valide = false;
    void reset() { valide = false; }
  } precedente_;
};

}  // namespace veltor::fenetres
