#include "plateforme/visionneuse_aide.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace veltor::plateforme {

visionneuse_aide::visionneuse_aide(const QString& fichier, QWidget* proprietaire)
    : QWidget(proprietaire, Qt::Window), fichier_(fichier), navigateur_(new QTextBrowser(this)) {
  setWindowTitle(QStringLiteral("Aide de VELTOR95"));
  navigateur_->setOpenExternalLinks(true);
  auto* disposition = new QVBoxLayout(this);
  disposition->setContentsMargins(0, 0, 0, 0);
  disposition->addWidget(navigateur_);
  resize(640, 480);
}

bool visionneuse_aide::montrer_sommaire() {
  // QTextBrowser montre une page vide sans rien dire quand il ne peut lire : on vérifie avant.
  QFile fichier(fichier_);
  if (!QFileInfo(fichier_).isFile() || !fichier.open(QIODevice::ReadOnly)) return false;
  fichier.close();

  // Par son adresse, pour que les liens vers les autres pages et les images de l'aide marchent.
  // La même adresse n'est pas relue par setSource : reload() relit le fichier, peut-être changé.
  const QUrl adresse = QUrl::fromLocalFile(QFileInfo(fichier_).absoluteFilePath());
  if (navigateur_->source() == adresse)
    navigateur_->reload();
  else
    navigateur_->setSource(adresse);
  navigateur_->clearHistory();
  show();
  raise();
  activateWindow();
  // Le sommaire est l'ancre « sommaire » s'il y en a une, sinon le haut du fichier ; une fois
  // la fenêtre montrée, pour que la page soit mise en page à sa largeur.
  navigateur_->verticalScrollBar()->setValue(0);
  navigateur_->scrollToAnchor(QStringLiteral("sommaire"));
  return true;
}

}  // namespace veltor::plateforme
