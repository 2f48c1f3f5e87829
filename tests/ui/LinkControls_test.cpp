#include "core/ControlNames.h"
#include "support/Printers.h"
#include "ui/FormPrincipal.h"
#include "plclink/PlcLink.h"
#include "ui/WindowTest.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zelkor {
namespace {

class LinkControlsTest : public testing::WindowTest {
 protected:
  LinkControlsTest() {
    port.SetPeer([](const QByteArray&) { return testing::AckAnswer(); });
    ShowActive();
  }
  QComboBox* Combo() { return window->findChild<QComboBox*>(name::ComboPorta); }
  QPushButton* Button(const QString& n) { return window->findChild<QPushButton*>(n); }
  void Pick(int index) {
    Combo()->setCurrentIndex(index);
    Q_EMIT Combo()->activated(index);  // what a pick with the mouse sends
  }

};

TEST_F(LinkControlsTest, KeysAndTheWheelNeverChangeThePortEntry) {
  Combo()->setFocus();
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_PageDown, Qt::Key_1, Qt::Key_P}) {
    QTest::keyClick(Combo(), key);
  }
  EXPECT_EQ(Combo()->currentIndex(), -1);
  EXPECT_TRUE(port.opens.isEmpty());
  Pick(1);
  QTest::keyClick(Combo(), Qt::Key_Down);
  EXPECT_EQ(Combo()->currentIndex(), 1);
  EXPECT_EQ(port.opens, QList<int>{2});
}

TEST_F(LinkControlsTest, APickedPortEnablesThePlcButtonsAndGravaClpWritesTheLists) {
  Pick(15);
  EXPECT_EQ(port.openPort(), 16);
  EXPECT_TRUE(Button(name::BotaoGravaCLP)->isEnabled());
  EXPECT_TRUE(Button(name::BotaoLeCLP)->isEnabled());

  window->findChild<QLineEdit*>(name::Texto1)->setText(QStringLiteral("BOMBA"));
  QTest::mouseClick(Button(name::BotaoSalvarAlarme), Qt::LeftButton);
  QTest::mouseClick(Button(name::BotaoGravaCLP), Qt::LeftButton);
  port.Settle();
  EXPECT_EQ(port.written().size(), 2);
  ASSERT_FALSE(messages.shown().empty());
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Transmissão Ok!"));

  QTest::mouseClick(Button(name::BotaoLeCLP), Qt::LeftButton);  // does nothing
  EXPECT_EQ(port.written().size(), 2);
}

TEST_F(LinkControlsTest, TheWindowStaysUsableDuringATransferAndKeepsWhatWasTypedMeanwhile) {
  Pick(0);
  port.SetPeer({});
  window->findChild<QLineEdit*>(name::Texto1)->setText(QStringLiteral("BOMBA"));
  QTest::mouseClick(Button(name::BotaoSalvarAlarme), Qt::LeftButton);
  QTest::mouseClick(Button(name::BotaoGravaCLP), Qt::LeftButton);
  ASSERT_TRUE(window->link().transferring());

  QTest::keyClicks(window->findChild<QLineEdit*>(name::Campo(1)), QStringLiteral("NIVEL"));
  port.Deliver(testing::AckAnswer());
  port.Deliver(testing::AckAnswer());
  EXPECT_FALSE(window->link().transferring());
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Transmissão Ok!"));
  EXPECT_EQ(window->findChild<QLineEdit*>(name::Campo(1))->text(), QStringLiteral("NIVEL"));
}

TEST_F(LinkControlsTest, ATransferEndingWhileAPortChangeIsRefusedKeepsThePortInUseShown) {
  Pick(0);
  port.SetPeer({});
  window->findChild<QLineEdit*>(name::Texto1)->setText(QStringLiteral("A"));
  QTest::mouseClick(Button(name::BotaoSalvarAlarme), Qt::LeftButton);
  QTest::mouseClick(Button(name::BotaoGravaCLP), Qt::LeftButton);
  messages.whileShown = [&](const Message& m) {
    if (m.title != QStringLiteral("Transmissão em andamento!")) return;
    port.Deliver(testing::AckAnswer());  // the transfer ends behind the open box
    port.Deliver(testing::AckAnswer());
  };
  Pick(1);
  EXPECT_FALSE(window->link().transferring());
  EXPECT_EQ(port.openPort(), 1);
  EXPECT_EQ(Combo()->currentIndex(), 0);
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Transmissão Ok!"));
}

TEST_F(LinkControlsTest, TheWindowWaitsForATransferBeforeClosing) {
  Pick(0);
  port.SetPeer({});
  window->findChild<QLineEdit*>(name::Texto1)->setText(QStringLiteral("A"));
  QTest::mouseClick(Button(name::BotaoSalvarAlarme), Qt::LeftButton);
  QTest::mouseClick(Button(name::BotaoGravaCLP), Qt::LeftButton);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Transmissão em andamento!"));
  EXPECT_TRUE(port.isOpen());
  port.Deliver(testing::AckAnswer());
  port.Deliver(testing::AckAnswer());
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Transmissão Ok!"));
  messages.Script(Answer::No);
  EXPECT_TRUE(window->close());
}

TEST_F(LinkControlsTest, EntriesShowTheDeviceTheyStandFor) {
  Combo()->showPopup();
  Combo()->hidePopup();
  EXPECT_EQ(Combo()->itemData(0, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(Combo()->itemData(5, Qt::ToolTipRole).toString(), QStringLiteral("Nenhum dispositivo nesta porta"));
  Pick(1);
  EXPECT_EQ(Combo()->toolTip(), QStringLiteral("/dev/ttyUSB1"));
}

TEST_F(LinkControlsTest, ClosingTheWindowClosesThePort) {
  Pick(0);
  ASSERT_TRUE(port.isOpen());
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace zelkor
