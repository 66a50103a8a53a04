// Synthétise les deux sons du jeu dans le dossier donné :
//   A.wav, le son d'effacement : un « plop » tinté, bref (0,3 s), à l'attaque douce pour
//          rester agréable quand il est arrêté et relancé sans cesse ;
//   B.wav, le son de niveau : une petite fanfare montante (do, mi, sol, puis l'accord
//          de do à l'octave), 1,5 s.
// Mono, 22 050 Hz, PCM 16 bits. Aucun hasard : les mêmes octets à chaque construction.
//
//   veltor95-sons DOSSIER
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int frequence_d_echantillonnage = 22050;
constexpr double deux_pi = 2.0 * std::numbers::pi;

using signal = std::vector<double>;

int echantillons(double secondes) {
  return static_cast<int>(std::lround(secondes * frequence_d_echantillonnage));
}

// Ramène le signal à la crête demandée (en part de la pleine échelle).
void normaliser(signal& s, double crete) {
  double maximum = 0;
  for (double v : s) maximum = std::max(maximum, std::fabs(v));
  if (maximum > 0)
    for (double& v : s) v *= crete / maximum;
}

signal son_d_effacement() {
  signal s(static_cast<std::size_t>(echantillons(0.30)), 0.0);
  const double fondamentale = 1046.5;  // do 6
  double phase1 = 0, phase2 = 0, phase3 = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / frequence_d_echantillonnage;
    // Le « plop » : la hauteur tombe d'une quarte vers la note en 25 ms.
    const double glissement = 1.0 + 0.33 * std::exp(-t / 0.008);
    const double f = fondamentale * glissement;
    phase1 += deux_pi * f / frequence_d_echantillonnage;
    phase2 += deux_pi * 1.5 * f / frequence_d_echantillonnage;
    phase3 += deux_pi * 2.0 * f / frequence_d_echantillonnage;
    const double attaque = std::min(1.0, t / 0.004);
    const double chute = std::exp(-t / 0.075);
    // Une fin en cosinus : le son retombe à zéro exactement, sans clic.
    const double reste = s.size() - 1 - i;
    const double fin = std::min(1.0, reste / echantillons(0.04));
    const double fondu = 0.5 - 0.5 * std::cos(std::numbers::pi * fin);
    const double timbre = std::sin(phase1) + 0.35 * std::exp(-t / 0.03) * std::sin(phase2) +
                          0.2 * std::exp(-t / 0.02) * std::sin(phase3);
    s[i] = timbre * attaque * chute * fondu;
  }
  normaliser(s, 0.6);
  return s;
}

// Une note cuivrée : six harmoniques, une attaque brève, un léger vibrato sur les notes
// tenues, et une extinction en douceur sur `extinction` secondes.
void ajouter_note(signal& s, double debut, double duree, double frequence, double volume,
                  double extinction) {
  const int premier = echantillons(debut);
  const int nombre = echantillons(duree);
  double phase = 0;
  for (int k = 0; k < nombre && premier + k < static_cast<int>(s.size()); ++k) {
    const double t = static_cast<double>(k) / frequence_d_echantillonnage;
    const double vibrato = 1.0 + 0.004 * std::sin(deux_pi * 5.5 * t) * std::min(1.0, t / 0.3);
    phase += deux_pi * frequence * vibrato / frequence_d_echantillonnage;
    double timbre = 0;
    for (int h = 1; h <= 6; ++h) timbre += std::sin(h * phase) / std::pow(h, 1.4);
    const double attaque = std::min(1.0, t / 0.012);
    const double tenue = 0.72 + 0.28 * std::exp(-t / 0.06);
    const double avant_la_fin = duree - t;
    const double relache =
        avant_la_fin < extinction ? 0.5 - 0.5 * std::cos(std::numbers::pi * avant_la_fin / extinction)
                                  : 1.0;
    s[static_cast<std::size_t>(premier + k)] += volume * timbre * attaque * tenue * relache;
  }
}

signal son_de_niveau() {
  signal s(static_cast<std::size_t>(echantillons(1.5)), 0.0);
  const double do5 = 523.25, mi5 = 659.26, sol5 = 783.99, do6 = 1046.5;
  ajouter_note(s, 0.00, 0.16, do5, 0.8, 0.03);
  ajouter_note(s, 0.15, 0.16, mi5, 0.8, 0.03);
  ajouter_note(s, 0.30, 0.16, sol5, 0.8, 0.03);
  // L'accord final, tenu, qui s'éteint lentement.
  ajouter_note(s, 0.45, 1.05, do6, 0.9, 0.45);
  ajouter_note(s, 0.45, 1.05, sol5, 0.45, 0.45);
  ajouter_note(s, 0.45, 1.05, mi5, 0.35, 0.45);
  normaliser(s, 0.7);
  return s;
}

void ecrire_entier(std::ofstream& f, std::uint32_t v, int octets) {
  for (int i = 0; i < octets; ++i) f.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

// Un fichier WAVE, PCM 16 bits mono, petit-boutiste comme le veut le format.
bool ecrire_wave(const std::filesystem::path& chemin, const signal& s) {
  std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
  if (!f) return false;
  const std::uint32_t octets_de_donnees = static_cast<std::uint32_t>(s.size() * 2);
  f.write("RIFF", 4);
  ecrire_entier(f, 36 + octets_de_donnees, 4);
  f.write("WAVEfmt ", 8);
  ecrire_entier(f, 16, 4);                              // taille du bloc fmt
  ecrire_entier(f, 1, 2);                               // PCM
  ecrire_entier(f, 1, 2);                               // mono
  ecrire_entier(f, frequence_d_echantillonnage, 4);
  ecrire_entier(f, frequence_d_echantillonnage * 2, 4);  // octets par seconde
  ecrire_entier(f, 2, 2);                               // octets par échantillon
  ecrire_entier(f, 16, 2);                              // bits par échantillon
  f.write("data", 4);
  ecrire_entier(f, octets_de_donnees, 4);
  for (double v : s) {
    const long entier = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
    ecrire_entier(f, static_cast<std::uint32_t>(static_cast<std::int16_t>(entier)) & 0xffffu, 2);
  }
  f.close();
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage : veltor95-sons DOSSIER\n");
    return 2;
  }
  const std::filesystem::path dossier = argv[1];
  const struct {
    const char* nom;
    signal son;
  } sons[] = {{"A.wav", son_d_effacement()}, {"B.wav", son_de_niveau()}};
  for (const auto& s : sons) {
    errno = 0;
    if (!ecrire_wave(dossier / s.nom, s.son)) {
      std::fprintf(stderr, "veltor95-sons : impossible d'écrire %s : %s\n",
                   (dossier / s.nom).c_str(), errno ? std::strerror(errno) : "erreur d'écriture");
      return 1;
    }
  }
  return 0;
}
