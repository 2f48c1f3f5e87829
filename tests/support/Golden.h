#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace zelkor::testing {

// Where two texts of bytes part: the first line that differs, both ways, each byte outside printable ASCII as \xNN
// (so a wrong Windows-1252 byte or a lost \r shows).
inline std::string FirstDifference(const QByteArray& golden, const QByteArray& actual) {
  const QList<QByteArray> sides[] = {golden.split('\n'), actual.split('\n')};
  qsizetype i = 0;
  while (i < sides[0].size() && i < sides[1].size() && sides[0][i] == sides[1][i]) ++i;
  std::string shown = "line " + std::to_string(i + 1);
  for (const QList<QByteArray>& lines : sides) {
    shown += &lines == sides ? "\n  golden: " : "\n  actual: ";
    for (const char c : lines.value(i)) {
      const auto byte = static_cast<unsigned char>(c);
      shown += byte >= 0x20 && byte < 0x7F ? std::string(1, c)
                                           : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0')).toStdString();
    }
  }
  return shown;
}

// Compares bytes with a file of tests/<relative path>, byte for byte. With
// ZELKOR_UPDATE_GOLDEN=1 in the environment the file is written instead, to
// be read and committed by hand.
inline void ExpectGolden(const QString& relativePath, const QByteArray& actual) {
  QFile file(QStringLiteral(ZELKOR_TESTS_DIR "/") + relativePath);
  if (qEnvironmentVariableIntValue("ZELKOR_UPDATE_GOLDEN") == 1) {
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(actual) == actual.size()) << relativePath.toStdString();
    return;
  }
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath.toStdString();
  const QByteArray golden = file.readAll();
  EXPECT_TRUE(golden == actual) << "golden file " << relativePath.toStdString() << " differs at "
                                << FirstDifference(golden, actual);
}

}  // namespace zelkor::testing
