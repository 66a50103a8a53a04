// Le lecteur de son sans aucune sortie de son : il joue en silence, à son rythme, avec le
// même sens d'arrêter et de jouer qu'avec une sortie.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "plateforme/lecteur_son.h"
#include "son_de_test.h"

using veltor::plateforme::lecteur_son;

namespace {

// Aucun serveur de son n'est joignable, quoi qu'il tourne sur la machine.
const bool sans_serveur = qputenv("PULSE_SERVER", "unix:/nonexistent/veltor95/native");

bool attendre_que(const std::function<bool()>& condition) {
  QDeadlineTimer limite(20000);
  while (!condition()) {
    if (limite.hasExpired()) return false;
    QThread::msleep(2);
  }
  return true;
}

class LecteurSon : public testing::Test {
 protected:
  QString chemin(const char* nom) const { return dossier_.filePath(QString::fromLatin1(nom)); }
  QTemporaryDir dossier_;
};

TEST_F(LecteurSon, SansSortieUneSeuleLignePourTousLesLecteurs) {
  ASSERT_TRUE(sans_serveur);
  ASSERT_TRUE(ecrire_son_de_test(chemin("A.wav"), 8000, 1, 0.05));
  testing::internal::CaptureStderr();
  {
    lecteur_son a, b;
    ASSERT_FALSE(a.ouvrir(chemin("A.wav")));
    ASSERT_FALSE(b.ouvrir(chemin("A.wav")));
    for (int fois = 0; fois < 3; ++fois) {
      a.jouer();
      b.jouer();
    }
    a.attendre_le_fil();
    b.attendre_le_fil();
  }
  // Qt peut écrire ses propres avertissements : on compte les lignes du jeu.
  const QStringList lignes =
      QString::fromStdString(testing::internal::GetCapturedStderr()).split(QLatin1Char('\n'));
  EXPECT_EQ(lignes.filter(QStringLiteral("VELTOR95")).size(), 1) << lignes.join('\n').toStdString();
}

TEST_F(LecteurSon, ArreterGardeLaPositionJouerRepriseEtRepartDuDebutAuBout) {
  // 2 s à 8000 Hz : le temps d'arrêter au milieu.
  ASSERT_TRUE(ecrire_son_de_test(chemin("B.wav"), 8000, 1, 2.0));
  lecteur_son lecteur;
  ASSERT_FALSE(lecteur.ouvrir(chemin("B.wav")));
  ASSERT_TRUE(lecteur.ouvert());
  ASSERT_EQ(lecteur.duree(), 16000);
  EXPECT_EQ(lecteur.position(), 0);

  lecteur.jouer();
  ASSERT_TRUE(attendre_que([&] { return lecteur.position() > 0; }));
  lecteur.arreter();
  lecteur.attendre_le_fil();
  const long long arretee = lecteur.position();
  EXPECT_LT(arretee, lecteur.duree());
  QThread::msleep(100);
  EXPECT_EQ(lecteur.position(), arretee) << "arrêté, le son ne doit plus avancer";

  // Arrêter encore ne change rien ; jouer reprend où il s'était arrêté.
  lecteur.arreter();
  lecteur.jouer();
  lecteur.attendre_le_fil();
  EXPECT_GE(lecteur.position(), arretee);
  ASSERT_TRUE(attendre_que([&] { return lecteur.position() > arretee; }));

  // Jouer pendant qu'il joue ne le fait pas repartir.
  const long long en_cours = lecteur.position();
  lecteur.jouer();
  lecteur.attendre_le_fil();
  EXPECT_GE(lecteur.position(), en_cours);

  ASSERT_TRUE(attendre_que([&] { return lecteur.position() == lecteur.duree(); }));
  // Au bout, arrêter puis jouer (ce que fait le jeu) repart du début.
  lecteur.arreter();
  lecteur.jouer();
  lecteur.attendre_le_fil();
  EXPECT_LT(lecteur.position(), lecteur.duree() / 2);
  lecteur.arreter();
}

TEST_F(LecteurSon, DecodeTousLesFormatsALaFrequenceEtAuxCanauxDuFichier) {
  struct cas {
    const char* nom;
    int format, frequence, canaux;
  };
  const cas table[] = {
      {"pcm16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1},
      {"stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2},
      {"flottant.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 11025, 1},
      {"ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 22050, 1},
      {"ms.wav", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, 22050, 2},
  };
  for (const cas& c : table) {
    SCOPED_TRACE(c.nom);
    ASSERT_TRUE(ecrire_son_de_test(chemin(c.nom), c.frequence, c.canaux, 0.5, c.format));
    lecteur_son lecteur;
    EXPECT_EQ(lecteur.ouvrir(chemin(c.nom)), std::nullopt);
    EXPECT_TRUE(lecteur.ouvert());
    // Les formats par blocs (ADPCM) complètent leur dernier bloc : à un bloc près.
    EXPECT_GE(lecteur.duree(), c.frequence / 2);
    EXPECT_LE(lecteur.duree(), c.frequence / 2 + 2048);
  }
}

TEST_F(LecteurSon, UnEchecDonneLeTexteDuDecodeurEtLaisseLeLecteurMuet) {
  ASSERT_TRUE(ecrire_son_de_test(chemin("bon.wav"), 8000, 1, 0.5));
  QFile faux(chemin("faux.wav"));
  ASSERT_TRUE(faux.open(QIODevice::WriteOnly));
  faux.write("ceci n'est pas un son, seulement du texte qui se fait passer pour un");
  faux.close();

  const char* rates[] = {"absent.wav", "faux.wav"};
  for (const char* nom : rates) {
    SCOPED_TRACE(nom);
    lecteur_son lecteur;
    ASSERT_FALSE(lecteur.ouvrir(chemin("bon.wav")));
    const std::optional<QString> erreur = lecteur.ouvrir(chemin(nom));
    ASSERT_TRUE(erreur.has_value());
    // Le texte même de libsndfile pour ce fichier.
    SF_INFO info{};
    EXPECT_EQ(sf_open(QFile::encodeName(chemin(nom)).constData(), SFM_READ, &info), nullptr);
    EXPECT_EQ(erreur->toStdString(), sf_strerror(nullptr));
    EXPECT_FALSE(erreur->isEmpty());
    // Le son d'avant n'est plus là : le lecteur se tait.
    EXPECT_FALSE(lecteur.ouvert());
    EXPECT_EQ(lecteur.duree(), 0);
    lecteur.jouer();
    lecteur.attendre_le_fil();
    EXPECT_EQ(lecteur.position(), 0);
  }
}

}  // namespace
