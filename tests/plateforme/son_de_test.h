// Un son de test écrit avec libsndfile : un la tenu, en PCM 16 bits.
#pragma once

#include <sndfile.h>

#include <QFile>
#include <QString>
#include <cmath>
#include <numbers>
#include <vector>

inline bool ecrire_son_de_test(const QString& chemin, int frequence, int canaux, double secondes,
                               int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
  SF_INFO info{};
  info.samplerate = frequence;
  info.channels = canaux;
  info.format = format;
  SNDFILE* f = sf_open(QFile::encodeName(chemin).constData(), SFM_WRITE, &info);
  if (f == nullptr) return false;
  const auto trames = static_cast<sf_count_t>(frequence * secondes);
  std::vector<short> echantillons(static_cast<std::size_t>(trames * canaux));
  for (sf_count_t i = 0; i < trames; ++i)
    for (int c = 0; c < canaux; ++c)
      echantillons[static_cast<std::size_t>(i * canaux + c)] = static_cast<short>(
          16000 * std::sin(2 * std::numbers::pi * 440.0 * double(i) / frequence));
  const bool ecrit = sf_writef_short(f, echantillons.data(), trames) == trames;
  return sf_close(f) == 0 && ecrit;
}
