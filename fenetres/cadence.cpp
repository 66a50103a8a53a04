#include "cadence.h"

#include <thread>

namespace veltor::fenetres {

void cadence::avant_l_etape() {
  if (trame_.count() <= 0) return;
  if (precedente_ && maintenant() < *precedente_ + trame_) {
    const auto echeance = *precedente_ + trame_;
    if (attendre_jusqu_a) {
      attendre_jusqu_a(echeance);
    } else {
      std::this_thread::sleep_until(echeance);
    }
  }
  precedente_ = maintenant();
}

}  // namespace veltor::fenetres
