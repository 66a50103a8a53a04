// La cadence des animations : chaque étape intermédiaire reste à l'écran au moins une trame
// d'un affichage à 60 Hz, mesurée sur une horloge régulière, sans traiter d'entrée.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace veltor::fenetres {

inline constexpr std::chrono::nanoseconds trame_60hz{1'000'000'000 / 60};

class cadence {
 public:
  using horloge = std::chrono::steady_clock;

  explicit cadence(std::chrono::nanoseconds trame) : trame_(trame) {}

  // À appeler juste avant de montrer une étape : attend qu'une trame se soit écoulée depuis
  // l'étape précédente, puis note l'instant. Une trame nulle n'attend jamais.
  void avant_l_etape();

  std::chrono::nanoseconds trame() const { return trame_; }

  // L'horloge et l'attente ; les tests y mettent une horloge à eux.
  std::function<horloge::time_point()> maintenant = [] { return horloge::now(); };
  std::function<void(horloge::time_point)> attendre_jusqu_a;

 private:
  std::chrono::nanoseconds trame_;
  std::optional<horloge::time_point> precedente_;
};

}  // namespace veltor::fenetres
