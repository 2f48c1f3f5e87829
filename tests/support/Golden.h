#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

namespace zelkor::testing {

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
  EXPECT_EQ(QString::fromUtf8(actual), QString::fromUtf8(file.readAll()))
      << "golden file " << relativePath.toStdString();
}

}  // namespace zelkor::testing
