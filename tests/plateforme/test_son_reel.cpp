// Le lecteur de son joue pour de vrai : un serveur PulseAudio à nous, dans un dossier neuf, écrit
// ce qu'il joue dans un tube, et ce qu'on y lit n'est pas du silence.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <thread>

#include "plateforme/lecteur_son.h"
#include "son_de_test.h"

namespace {

bool attendre_que(const std::function<bool()>& condition, int millisecondes = 20000) {
  QDeadlineTimer limite(millisecondes);
  while (!condition()) {
    if (limite.hasExpired()) return false;
    QThread::msleep(5);
  }
  return true;
}

// Lit le tube du serveur sur un fil à part et garde le plus grand écart à zéro des échantillons
// 16 bits : le tube débite sans arrêt (du silence quand rien ne joue), rien n'est gardé.
class lecture_du_tube {
 public:
  explicit lecture_du_tube(const QString& tube) : fil_([this, tube] { lire(tube); }) {}
  ~lecture_du_tube() { arreter(); }
  void arreter() {
    fin_ = true;
    if (fil_.joinable()) fil_.join();
  }
  int amplitude() const { return amplitude_; }
  long long octets() const { return octets_; }

 private:
  // Sans bloquer : le serveur cesse d'écrire quand plus rien ne joue, et il faut pouvoir
  // s'arrêter quand même.
  void lire(const QString& tube) {
    const int fd = ::open(QFile::encodeName(tube).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return;
    char bloc[1 << 16];
    while (!fin_) {
      pollfd attente{fd, POLLIN, 0};
      if (::poll(&attente, 1, 50) <= 0) continue;
      const ssize_t lus = ::read(fd, bloc, sizeof bloc) & ~ssize_t(1);
      if (lus <= 0) continue;
      octets_ += lus;
      for (ssize_t i = 0; i < lus; i += 2) {
        const auto e = qint16(quint8(bloc[i]) | (quint8(bloc[i + 1]) << 8));
        amplitude_ = std::max(amplitude_.load(), std::abs(int(e)));
      }
    }
    ::close(fd);
  }
  std::atomic<bool> fin_{false};
  std::atomic<int> amplitude_{0};
  std::atomic<long long> octets_{0};
  std::thread fil_;
};

TEST(SonReel, UnSonJoueArriveAuServeurDeSon) {
  const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
  if (pulseaudio.isEmpty()) GTEST_SKIP() << "pulseaudio absent";

  QTemporaryDir dossier;
  ASSERT_TRUE(dossier.isValid());
  const QString exec = dossier.filePath(QStringLiteral("exec"));
  ASSERT_TRUE(QDir().mkdir(exec));
  ASSERT_TRUE(QFile::setPermissions(exec, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  const QString tube = dossier.filePath(QStringLiteral("tube"));
  const QString prise = dossier.filePath(QStringLiteral("native"));
  const QString son = dossier.filePath(QStringLiteral("la.wav"));
  ASSERT_TRUE(ecrire_son_de_test(son, 22050, 1, 0.5));

  QProcess serveur;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), exec);
  env.insert(QStringLiteral("HOME"), dossier.path());
  serveur.setProcessEnvironment(env);
  // Ses avertissements (root, D-Bus absent) ne disent rien du test.
  serveur.setStandardErrorFile(QProcess::nullDevice());
  // Le serveur meurt avec le test, même si le test est tué par son délai.
  serveur.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
  serveur.start(
      pulseaudio,
      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
       QStringLiteral("--exit-idle-time=-1"),
       QStringLiteral("--load=module-pipe-sink file=%1 sink_name=tuyau format=s16le "
                      "rate=22050 channels=1")
           .arg(tube),
       QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=%1").arg(prise)});
  ASSERT_TRUE(serveur.waitForStarted());
  ASSERT_TRUE(attendre_que([&] { return QFile::exists(prise) && QFile::exists(tube); }))
      << "le serveur de son n'a pas démarré";

  lecture_du_tube lecture(tube);

  // Avant que Qt ne cherche sa sortie de son pour la première fois dans ce processus.
  qputenv("PULSE_SERVER", ("unix:" + prise).toLocal8Bit());
  {
    veltor::plateforme::lecteur_son lecteur;
    ASSERT_FALSE(lecteur.ouvrir(son));
    lecteur.arreter();
    lecteur.jouer();
    ASSERT_TRUE(attendre_que([&] { return lecteur.position() == lecteur.duree(); }));
    // Le la est écrit à 16000 : ce qui sort doit en approcher, pas un bruit de fond.
    EXPECT_TRUE(attendre_que([&] { return lecture.amplitude() > 8000; }, 10000))
        << "plus grand échantillon lu : " << lecture.amplitude() << " sur " << lecture.octets()
        << " octets";
  }
  lecture.arreter();
  serveur.kill();
  serveur.waitForFinished();
}

}  // namespace
