#include "Settings.h"

#include <QSettings>

namespace zelkor {

namespace {
const QString kFolder = QStringLiteral("files/folder");
const QString kRecent = QStringLiteral("files/recent");
const QString kGeometry = QStringLiteral("window/geometry");
const QString kVerify = QStringLiteral("link/verifyWrites");
}  // namespace

Settings Settings::Read() {
  const QSettings stored;
  Settings s;
  s.lastFolder_ = stored.value(kFolder).toString();
  s.recentFiles_ = stored.value(kRecent).toStringList();
  s.geometry_ = stored.value(kGeometry).toByteArray();
  s.verifyWrites_ = stored.value(kVerify, false).toBool();
  return s;
}

void Settings::SetFiles(const QStringList& recentFiles, const QString& lastFolder) {
  if (recentFiles == recentFiles_ && lastFolder == lastFolder_) return;
  recentFiles_ = recentFiles;
  lastFolder_ = lastFolder;
  QSettings stored;
  stored.setValue(kRecent, recentFiles_);
  stored.setValue(kFolder, lastFolder_);
}

void Settings::SetGeometry(const QByteArray& geometry) {
  if (geometry == geometry_) return;
  geometry_ = geometry;
  QSettings().setValue(kGeometry, geometry_);
}

void Settings::SetVerifyWrites(bool on) {
  if (on == verifyWrites_) return;
  verifyWrites_ = on;
  QSettings().setValue(kVerify, verifyWrites_);
}

}  // namespace zelkor
