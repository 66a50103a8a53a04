#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct son_lu {
  SF_INFO info{};
  std::vector<short> echantillons;
};

son_lu lire(const fs::path& chemin) {
  son_lu s;
  SNDFILE* f = sf_open(chemin.c_str(), SFM_READ, &s.info);
  if (!f) {
    ADD_FAILURE() << chemin << " : " << sf_strerror(nullptr);
    return s;
  }
  s.echantillons.resize(static_cast<std::size_t>(s.info.frames * s.info.channels));
  sf_read_short(f, s.echantillons.data(), static_cast<sf_count_t>(s.echantillons.size()));
  sf_close(f);
  return s;
}

std::string octets(const fs::path& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

struct son_attendu {
  const char* nom;
  double duree_min, duree_max;
};
const son_attendu sons[] = {{"A.wav", 0.2, 0.4}, {"B.wav", 1.0, 2.0}};

// Format, durée et niveau : PCM 16 bits, ni écrêté ni muet, sans clic au début ni à la fin.
TEST(Sons, chaque_son_a_son_format_sa_duree_et_un_niveau_sain) {
  for (const son_attendu& attendu : sons) {
    const son_lu s = lire(fs::path(VELTOR_SONS_CONSTRUITS) / attendu.nom);
    ASSERT_FALSE(s.echantillons.empty()) << attendu.nom;
    EXPECT_EQ(s.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << attendu.nom;
    EXPECT_EQ(s.info.channels, 1) << attendu.nom;
    EXPECT_GE(s.info.samplerate, 22050) << attendu.nom;
    const double duree = static_cast<double>(s.info.frames) / s.info.samplerate;
    EXPECT_GE(duree, attendu.duree_min) << attendu.nom;
    EXPECT_LE(duree, attendu.duree_max) << attendu.nom;

    int crete = 0, ecretes = 0;
    double energie = 0;
    for (short e : s.echantillons) {
      crete = std::max(crete, std::abs(int{e}));
      ecretes += std::abs(int{e}) >= 32767;
      energie += static_cast<double>(e) * e;
    }
    const double efficace = std::sqrt(energie / s.echantillons.size()) / 32768.0;
    EXPECT_EQ(ecretes, 0) << attendu.nom;
    EXPECT_LT(crete, 32768 * 9 / 10) << attendu.nom;
    EXPECT_GT(crete, 32768 / 4) << attendu.nom;
    EXPECT_GT(efficace, 0.03) << attendu.nom;
    EXPECT_LT(std::abs(int{s.echantillons.front()}), 330) << attendu.nom;
    EXPECT_LT(std::abs(int{s.echantillons.back()}), 330) << attendu.nom;
  }
}

// La fanfare monte : le passage du milieu de la première note au cœur de l'accord final
// franchit l'octave (le nombre de passages par zéro double au moins).
TEST(Sons, le_son_de_niveau_monte) {
  const son_lu s = lire(fs::path(VELTOR_SONS_CONSTRUITS) / "B.wav");
  ASSERT_FALSE(s.echantillons.empty());
  auto passages_par_zero = [&](double debut, double duree) {
    const auto premier = static_cast<std::size_t>(debut * s.info.samplerate);
    const auto nombre = static_cast<std::size_t>(duree * s.info.samplerate);
    int n = 0;
    for (std::size_t i = premier + 1; i < premier + nombre; ++i)
      n += (s.echantillons[i - 1] < 0) != (s.echantillons[i] < 0);
    return n;
  };
  EXPECT_GE(passages_par_zero(0.6, 0.1), 2 * passages_par_zero(0.04, 0.1) * 9 / 10);
}

// La synthèse n'a pas de hasard : relancée, elle redonne les mêmes octets.
TEST(Sons, la_synthese_redonne_les_memes_octets) {
  const fs::path dossier = fs::temp_directory_path() / ("veltor95-sons-" + std::to_string(::getpid()));
  fs::create_directories(dossier);
  const std::string commande = std::string("\"") + VELTOR_SYNTHETISEUR + "\" \"" + dossier.string() + "\"";
  ASSERT_EQ(std::system(commande.c_str()), 0);
  for (const son_attendu& attendu : sons)
    EXPECT_EQ(octets(dossier / attendu.nom), octets(fs::path(VELTOR_SONS_CONSTRUITS) / attendu.nom))
        << attendu.nom;
  fs::remove_all(dossier);
}

// Un dossier où l'on ne peut pas écrire est une erreur, pas un succès muet.
TEST(Sons, la_synthese_dans_un_dossier_absent_echoue) {
  const std::string commande = std::string("\"") + VELTOR_SYNTHETISEUR +
                               "\" /chemin/qui/n/existe/pas 2>/dev/null";
  EXPECT_NE(std::system(commande.c_str()), 0);
}

}  // namespace
