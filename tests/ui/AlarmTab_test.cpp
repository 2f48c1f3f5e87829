#include "core/ControlNames.h"
#include "support/Printers.h"
#include "ui/FormPrincipal.h"
#include "ui/WindowTest.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zelkor {
namespace {

class AlarmTabTest : public testing::WindowTest {
 protected:
  AlarmTabTest() {
    window->findChild<QTabWidget*>(name::SSTab1)->setCurrentIndex(1);
    ShowActive();
  }

  QLineEdit* Field(const QString& n) { return window->findChild<QLineEdit*>(n); }
  QPushButton* Button(const QString& n) { return window->findChild<QPushButton*>(n); }
  QTableView& Grid() { return window->alarmGrid(); }
  QString Row(int line) { return Grid().model()->index(line - 1, 0).data().toString(); }

  void Save(const char* texto1, const char* texto2) {
    Field(name::Texto1)->setText(QString::fromLatin1(texto1));
    Field(name::Texto2)->setText(QString::fromLatin1(texto2));
    QTest::mouseClick(Button(name::BotaoSalvarAlarme), Qt::LeftButton);
  }
  void ClickRow(int line) {
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {},
                      Grid().visualRect(Grid().model()->index(line - 1, 0)).center());
  }

};

TEST_F(AlarmTabTest, SavedAlarmsShowInAFixedPitchGridAndTheArrowsMoveThem) {
  EXPECT_TRUE(QFontInfo(Grid().font()).fixedPitch());
  Save("ABC", "XY");
  Save("BOMBA", "FALHA");
  ASSERT_EQ(Grid().model()->rowCount(), 2);
  EXPECT_EQ(Row(1), QStringLiteral("ABC     XY      "));
  EXPECT_EQ(window->findChild<QLineEdit*>(name::TotalLinhasAlarme)->text(), QStringLiteral("2"));
  EXPECT_EQ(window->findChild<QTabWidget*>(name::SSTab1)->currentIndex(), 1);  // no command switches the tab

  ClickRow(2);
  EXPECT_TRUE(Button(name::BotaoSetaAcimaAlarme)->isEnabled());
  QTest::mouseClick(Button(name::BotaoSetaAcimaAlarme), Qt::LeftButton);
  EXPECT_EQ(Row(1), QStringLiteral("BOMBA   FALHA   "));
  EXPECT_FALSE(Button(name::BotaoSetaAcimaAlarme)->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), Button(name::BotaoSetaAbaixoAlarme));
  const QColor highlight = Grid().model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>();
  EXPECT_EQ(highlight, QColor(255, 204, 0));
}

}  // namespace
}  // namespace zelkor
