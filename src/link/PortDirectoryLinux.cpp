#include "PortDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

#include <algorithm>
#include <utility>

namespace zelkor {

PortDirectory::PortDirectory(QString deviceRoot, QString sysRoot)
    : deviceRoot_(std::move(deviceRoot)), sysRoot_(std::move(sysRoot)) {}

bool PortDirectory::HasUart(const QString& ttyName) const {
  // The kernel lists every legacy ttyS; its "type" is 0 when no UART answers.
  QFile type(sysRoot_ + QStringLiteral("/class/tty/") + ttyName + QStringLiteral("/type"));
  if (!type.open(QIODevice::ReadOnly)) return false;
  return type.readAll().trimmed().toInt() != 0;
}

PortDirectory PortDirectory::OnlyDevice(const QString& device) {
  PortDirectory directory;
  directory.only_ = QFileInfo(device).absoluteFilePath();
  return directory;
}

QStringList PortDirectory::Devices() const {
  if (!only_.isEmpty()) return {only_};
  const QDir dir(deviceRoot_);
  QStringList found;
  for (const QString& prefix : {QStringLiteral("ttyUSB"), QStringLiteral("ttyACM"), QStringLiteral("ttyS")}) {
    const QRegularExpression pattern(QStringLiteral("^%1(\\d+)$").arg(prefix));
    std::vector<std::pair<int, QString>> numbered;
    for (const QString& entry : dir.entryList({prefix + u'*'}, QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
      const auto match = pattern.match(entry);
      if (!match.hasMatch()) continue;
      const QFileInfo info(dir.filePath(entry));
      if (!info.exists()) continue;  // a dangling symlink stands for nothing
      if (prefix == QStringLiteral("ttyS") && !info.isSymLink() && !HasUart(entry)) continue;
      numbered.emplace_back(match.captured(1).toInt(), dir.filePath(entry));
    }
    std::sort(numbered.begin(), numbered.end());
    for (const auto& [number, path] : numbered) found << path;
  }
  return found;
}

QString PortDirectory::DeviceFor(int portNumber) const {
  const QStringList all = Devices();
  return portNumber >= 1 && portNumber <= all.size() ? QFileInfo(all[portNumber - 1]).absoluteFilePath() : QString();
}

QString PortDirectory::Describe(int portNumber) const { return DeviceFor(portNumber); }

QString PortDirectory::AccessProblem(const QString& device) const {
  // Qt says "permission" both for a port held by another program and for a
  // user who may not use serial ports; only the second needs the admin.
  if (::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0) return {};
  return QStringLiteral(
             "Sem permissão para usar %1.\r\nPeça ao administrador do computador para incluir "
             "seu usuário no grupo \"dialout\" e entre de novo no sistema.")
      .arg(device);
}

}  // namespace zelkor
