#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace zelkor::testing {

// A line of bytes as a person can read it: printable ASCII as itself, every other byte as \xNN (so a wrong
// Windows-1252 byte or a lost \r shows).
inline std::string ReadableBytes(const QByteArray& line) {
  std::string shown;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    shown += byte >= 0x20 && byte < 0x7F ? std::string(1, c)
                                         : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0')).toStdString();
  }
  return shown;
}

// Where two texts of bytes part: the first line that differs, both ways.
inline std::string FirstDifference(const QByteArray& golden, const QByteArray& actual) {
  const QList<QByteArray> g = golden.split('\n'), a = actual.split('\n');
  for (qsizetype i = 0;; ++i) {
    if (i >= g.size() || i >= a.size() || g[i] != a[i]) {
      return "line " + std::to_string(i + 1) + "\n  golden: " + (i < g.size() ? ReadableBytes(g[i]) : "(none)") +
             "\n  actual: " + (i < a.size() ? ReadableBytes(a[i]) : "(none)");
    }
  }
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
