#include "cadence.h"

#include <thread>

namespace veltor::fenetres {

void cadence::tenir_l_etape() {
  if (trame_.count() <= 0) return;
  const auto maintenant = std::chrono::steady_clock::now();
  if (precedente_.valide && maintenant < precedente_.t + trame_) {
    std::this_thread::sleep_until(precedente_.t + trame_);
  }
  precedente_.t = std::chrono::steady_clock::now();
  precedente_.valide = true;
}

}  // namespace veltor::fenetres
