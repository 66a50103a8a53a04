#include "plateforme/lecteur_son.h"

#include <sndfile.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <variant>
#include <vector>

namespace veltor::plateforme {

namespace {

// Un son décodé une fois pour toutes : PCM 16 bits entrelacé, à la fréquence et au nombre de
// canaux du fichier.
struct son_decode {
  std::vector<qint16> echantillons;
  int canaux = 1;
  int frequence = 22050;
  long long trames = 0;
  qint64 octets_par_trame() const { return qint64(canaux) * qint64(sizeof(qint16)); }
};

// Au-delà, le fichier n'est pas un bruitage : on refuse plutôt que d'épuiser la mémoire.
constexpr long long octets_au_plus = 256LL * 1024 * 1024;

std::variant<std::shared_ptr<const son_decode>, QString> decoder(const QString& chemin) {
  SF_INFO info{};
  SNDFILE* fichier = sf_open(QFile::encodeName(chemin).constData(), SFM_READ, &info);
  if (fichier == nullptr) return QString::fromLocal8Bit(sf_strerror(nullptr));
  const std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> fermeture(fichier, sf_close);

  if (info.channels <= 0 || info.samplerate <= 0 || info.frames < 0)
    return QStringLiteral("Format de son non reconnu");
  if (info.frames > octets_au_plus / (2LL * info.channels))
    return QStringLiteral("Fichier de son trop long");
  // Des flottants au-delà de 1 sont écrêtés au lieu de boucler sur eux-mêmes.
  sf_command(fichier, SFC_SET_CLIPPING, nullptr, SF_TRUE);

  auto son = std::make_shared<son_decode>();
  son->canaux = info.channels;
  son->frequence = info.samplerate;
  son->echantillons.resize(std::size_t(info.frames) * std::size_t(info.channels));
  const sf_count_t lues = sf_readf_short(fichier, son->echantillons.data(), info.frames);
  if (lues <= 0 && info.frames > 0) return QString::fromLocal8Bit(sf_strerror(fichier));
  // Un fichier tronqué joue ce qui a pu être lu.
  son->trames = lues;
  son->echantillons.resize(std::size_t(lues) * std::size_t(info.channels));
  return son;
}

// Ce que lit la sortie de son : le son décodé, depuis la position partagée avec le lecteur.
class source_son : public QIODevice {
 public:
  source_son(std::atomic<long long>& position, QObject* parent)
      : QIODevice(parent), position_(position) {
    // Sans la réserve de QIODevice : la position est celle de ce qui a été lu, pas davantage.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }

  void charger(std::shared_ptr<const son_decode> son) {
    son_ = std::move(son);
    position_ = 0;
  }
  void revenir_au_debut() { position_ = 0; }
  const son_decode* son() const { return son_.get(); }
  long long restantes() const { return son_ ? std::max(0LL, son_->trames - position_) : 0; }

  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override {
    return (son_ ? restantes() * son_->octets_par_trame() : 0) + QIODevice::bytesAvailable();
  }

 protected:
  qint64 readData(char* donnees, qint64 taille) override {
    if (!son_) return 0;
    const qint64 par_trame = son_->octets_par_trame();
    const long long depart = position_;
    const long long trames = std::min<long long>(taille / par_trame, restantes());
    if (trames <= 0) return 0;
    std::memcpy(donnees, son_->echantillons.data() + depart * son_->canaux,
                std::size_t(trames * par_trame));
    position_ = depart + trames;
    return trames * par_trame;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  std::shared_ptr<const son_decode> son_;
  std::atomic<long long>& position_;
};

void signaler_silence(const char* raison) {
  // Une seule ligne pour tout le jeu, même avec deux lecteurs et bien des sons.
  static std::once_flag une_fois;
  std::call_once(une_fois, [raison] {
    std::fprintf(stderr, "VELTOR95 : pas de sortie de son (%s), le jeu reste muet.\n", raison);
  });
}

const char* texte_erreur(QAudio::Error erreur) {
  switch (erreur) {
    case QAudio::OpenError:
      return "ouverture impossible";
    case QAudio::IOError:
      return "erreur d'entrée-sortie";
    case QAudio::UnderrunError:
      return "données en retard";
    case QAudio::FatalError:
      return "erreur fatale";
    case QAudio::NoError:
      break;
  }
  return "erreur inconnue";
}

// Vit sur le fil d'exécution du lecteur, avec sa propre boucle d'événements : la sortie de son
// y est nourrie quoi que fasse le fil de l'interface.
class fil_du_son : public QObject {
 public:
  explicit fil_du_son(std::atomic<long long>& position)
      : source_(new source_son(position, this)), horloge_(new QTimer(this)) {
    horloge_->setInterval(10);
    horloge_->setTimerType(Qt::PreciseTimer);
    QObject::connect(horloge_, &QTimer::timeout, this, [this] { avancer_en_silence(); });
  }

  // La sortie lit la source jusque dans sa destruction : elle part la première.
  ~fil_du_son() override {
    arreter();
    delete sortie_;
  }

  void remplacer(std::shared_ptr<const son_decode> son) {
    arreter();
    delete sortie_;
    sortie_ = nullptr;
    source_->charger(std::move(son));
  }

  void jouer() {
    const son_decode* son = source_->son();
    if (son == nullptr || son->trames == 0) return;
    // Seul un son arrivé tout au bout repart du début ; un son arrêté reprend où il était.
    if (source_->restantes() == 0) source_->revenir_au_debut();
    // Un son qui sonne encore continue ; une sortie au repos (elle a tout lu) est relancée.
    if (sortie_ != nullptr && sortie_->state() == QAudio::ActiveState) return;
    if (horloge_->isActive()) return;
    if (ouvrir_la_sortie(*son)) return;
    // Sans sortie, le son « joue » en silence à son rythme : arrêter et reprendre gardent
    // le même sens, et la position reste celle d'un son qu'on entendrait.
    trames_lues_en_silence_ = 0;
    chrono_.start();
    horloge_->start();
  }

  void arreter() {
    horloge_->stop();
    if (sortie_ != nullptr) sortie_->stop();
  }

 private:
  bool ouvrir_la_sortie(const son_decode& son) {
    if (sortie_ == nullptr) {
      const QAudioDevice appareil = QMediaDevices::defaultAudioOutput();
      if (appareil.isNull()) {
        signaler_silence("aucun appareil");
        return false;
      }
      QAudioFormat format;
      format.setSampleRate(son.frequence);
      format.setChannelCount(son.canaux);
      format.setSampleFormat(QAudioFormat::Int16);
      sortie_ = new QAudioSink(appareil, format, this);
      // Une réserve courte : arrêter ne perd qu'une fraction de seconde de son.
      sortie_->setBufferSize(int(son.octets_par_trame() * son.frequence / 10));
    }
    if (sortie_->state() != QAudio::StoppedState) sortie_->stop();
    sortie_->start(source_);
    if (sortie_->error() == QAudio::NoError && sortie_->state() != QAudio::StoppedState)
      return true;
    signaler_silence(texte_erreur(sortie_->error()));
    delete sortie_;
    sortie_ = nullptr;
    return false;
  }

  void avancer_en_silence() {
    const son_decode* son = source_->son();
    if (son == nullptr) {
      horloge_->stop();
      return;
    }
    const long long dues = chrono_.nsecsElapsed() * son->frequence / 1'000'000'000LL;
    const long long a_lire = std::min(dues - trames_lues_en_silence_, source_->restantes());
    if (a_lire > 0) {
      std::vector<char> poubelle(std::size_t(a_lire * son->octets_par_trame()));
      trames_lues_en_silence_ +=
          source_->read(poubelle.data(), qint64(poubelle.size())) / son->octets_par_trame();
    }
    if (source_->restantes() == 0) horloge_->stop();
  }

  source_son* source_;
  QAudioSink* sortie_ = nullptr;
  QTimer* horloge_;
  QElapsedTimer chrono_;
  long long trames_lues_en_silence_ = 0;
};

}  // namespace

struct lecteur_son::interne {
  std::atomic<long long> position{0};
  long long duree = 0;
  bool ouvert = false;
  QThread fil;
  fil_du_son* travailleur = nullptr;

  template <typename F>
  void envoyer(F&& f, Qt::ConnectionType type = Qt::QueuedConnection) {
    QMetaObject::invokeMethod(travailleur, std::forward<F>(f), type);
  }
};

lecteur_son::lecteur_son() : d_(std::make_unique<interne>()) {
  d_->travailleur = new fil_du_son(d_->position);
  d_->travailleur->moveToThread(&d_->fil);
  d_->fil.setObjectName(QStringLiteral("lecteur_son"));
  d_->fil.start();
}

lecteur_son::~lecteur_son() {
  // La sortie de son et sa source sont détruites sur leur fil, puis le fil s'arrête.
  fil_du_son* travailleur = d_->travailleur;
  d_->envoyer([travailleur] { delete travailleur; }, Qt::BlockingQueuedConnection);
  d_->fil.quit();
  d_->fil.wait();
}

std::optional<QString> lecteur_son::ouvrir(const QString& chemin) {
  auto resultat = decoder(chemin);
  std::shared_ptr<const son_decode> son;
  std::optional<QString> erreur;
  if (auto* decode = std::get_if<std::shared_ptr<const son_decode>>(&resultat))
    son = *decode;
  else
    erreur = std::get<QString>(resultat);
  // Ouvrir n'arrive qu'à la création de la fenêtre : on peut y attendre le fil.
  fil_du_son* travailleur = d_->travailleur;
  d_->envoyer([travailleur, son] { travailleur->remplacer(son); }, Qt::BlockingQueuedConnection);
  d_->ouvert = son != nullptr;
  d_->duree = son ? son->trames : 0;
  return erreur;
}

bool lecteur_son::ouvert() const { return d_->ouvert; }

void lecteur_son::arreter() {
  fil_du_son* travailleur = d_->travailleur;
  d_->envoyer([travailleur] { travailleur->arreter(); });
}

void lecteur_son::jouer() {
  fil_du_son* travailleur = d_->travailleur;
  d_->envoyer([travailleur] { travailleur->jouer(); });
}

long long lecteur_son::position() const { return d_->position; }
long long lecteur_son::duree() const { return d_->duree; }

void lecteur_son::attendre_le_fil() const {
  QMetaObject::invokeMethod(
      d_->travailleur, [] {}, Qt::BlockingQueuedConnection);
}

}  // namespace veltor::plateforme
