#include "plclink/PortDirectory.h"
#include "support/Printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelkor {
namespace {

class PortDirectoryTest : public ::testing::Test {
 protected:
  PortDirectoryTest() {
    QDir(root.path()).mkpath(QStringLiteral("dev"));
    QDir(root.path()).mkpath(QStringLiteral("sys/class/tty"));
  }
  QString Dev(const QString& name) const { return root.path() + QStringLiteral("/dev/") + name; }
  void Device(const QString& name) {
    QFile f(Dev(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  void Uart(const QString& name, int type) {
    const QString dir = root.path() + QStringLiteral("/sys/class/tty/") + name;
    QDir().mkpath(dir);
    QFile f(dir + QStringLiteral("/type"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(type) + '\n');
  }
  PortDirectory Directory() const { return PortDirectory(root.path() + QStringLiteral("/dev"), root.path() + QStringLiteral("/sys")); }

  QTemporaryDir root;
};

TEST_F(PortDirectoryTest, UsbThenAcmThenRealUartsEachByNumber) {
  for (const char* n : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS3", "ttyUSBx", "tty0"}) {
    Device(QString::fromLatin1(n));
  }
  Uart(QStringLiteral("ttyS0"), 4);
  Uart(QStringLiteral("ttyS1"), 0);  // listed by the kernel, no UART behind it
  const QStringList expected{Dev(QStringLiteral("ttyUSB2")), Dev(QStringLiteral("ttyUSB10")),
                             Dev(QStringLiteral("ttyACM0")), Dev(QStringLiteral("ttyS0"))};
  EXPECT_EQ(Directory().devices(), expected);
  EXPECT_EQ(Directory().deviceFor(2), Dev(QStringLiteral("ttyUSB10")));
  EXPECT_EQ(Directory().deviceFor(5), QString());
  EXPECT_EQ(Directory().deviceFor(0), QString());
}

TEST_F(PortDirectoryTest, ASymlinkCountsLikeTheDeviceButADanglingOneDoesNot) {
  Device(QStringLiteral("pts7"));
  ASSERT_TRUE(QFile::link(Dev(QStringLiteral("pts7")), Dev(QStringLiteral("ttyUSB0"))));
  ASSERT_TRUE(QFile::link(Dev(QStringLiteral("gone")), Dev(QStringLiteral("ttyUSB1"))));
  EXPECT_EQ(Directory().devices(), QStringList{Dev(QStringLiteral("ttyUSB0"))});
}

TEST_F(PortDirectoryTest, NoDevicesMeansEveryEntryIsEmpty) {
  EXPECT_TRUE(Directory().devices().isEmpty());
  EXPECT_EQ(Directory().deviceFor(1), QString());
}

}  // namespace
}  // namespace zelkor
