#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelkor {

// What the editor remembers between runs (QSettings), read once at start-up;
// each part is written when it changes.
class Settings {
 public:
  static Settings Read();

  const QString& LastFolder() const { return lastFolder_; }
  const QStringList& RecentFiles() const { return recentFiles_; }
  const QByteArray& Geometry() const { return geometry_; }  // QWidget::saveGeometry(); empty on a first start
  bool VerifyWrites() const { return verifyWrites_; }       // off on a first start: a write sends what it always sent

  // Each writes only what differs from what was remembered.
  void SetFiles(const QStringList& recentFiles, const QString& lastFolder);
  void SetGeometry(const QByteArray& geometry);
  void SetVerifyWrites(bool on);

 private:
  QString lastFolder_;
  QStringList recentFiles_;
  QByteArray geometry_;
  bool verifyWrites_ = false;
};

}  // namespace zelkor
