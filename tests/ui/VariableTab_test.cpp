#include "core/ControlNames.h"
#include "support/Printers.h"
#include "ui/FormPrincipal.h"
#include "ui/WindowTest.h"
#include "variables/VariableEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zelkor {
namespace {

Rgb ToRgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

class VariableTabTest : public testing::WindowTest {
 protected:
  VariableTabTest() {
    ShowActive();
  }

  QLineEdit* Campo(int i) { return window->findChild<QLineEdit*>(name::Campo(i)); }
  QPushButton* Button(const QString& n) { return window->findChild<QPushButton*>(n); }
  QLineEdit* Display(const QString& n) { return window->findChild<QLineEdit*>(n); }
  QTableView& Grid() { return window->variableGrid(); }

  void TypeLine(const char* grupo, const char* texto, const char* unidade, const char* endereco) {
    const char* texts[] = {grupo, texto, unidade, endereco};
    for (int i = 0; i < 4; ++i) {
      Campo(i)->clear();
      QTest::keyClicks(Campo(i), QString::fromLatin1(texts[i]));
    }
  }
  void ClickRow(int line) {
    const QRect cell = Grid().visualRect(Grid().model()->index(line - 1, 1));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, cell.center());
  }
  void DoubleClickRow(int line) {
    const QRect cell = Grid().visualRect(Grid().model()->index(line - 1, 1));
    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, cell.center());
  }
  Rgb Base(QWidget* w) { return ToRgb(w->palette().color(QPalette::Base)); }

};

TEST_F(VariableTabTest, AWrongAddressTurnsItsFieldRedAndTakesTheFocus) {
  TypeLine("0", "", "", "X1");
  // Already so while the technician reads the message.
  bool redWhileShown = false;
  QWidget* focusWhileShown = nullptr;
  messages.whileShown = [&](const Message&) {
    redWhileShown = Base(Campo(3)) == colours::Red;
    focusWhileShown = QApplication::focusWidget();
  };
  QTest::mouseClick(Button(name::BotaoSalvar), Qt::LeftButton);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Endereço inválido!"));
  EXPECT_EQ(Base(Campo(3)), colours::Red);
  EXPECT_EQ(Base(Campo(0)), colours::White);
  EXPECT_EQ(QApplication::focusWidget(), Campo(3));
  EXPECT_TRUE(redWhileShown);
  EXPECT_EQ(focusWhileShown, Campo(3));
  EXPECT_EQ(Campo(1)->text(), QString(8, u' '));
  EXPECT_EQ(Grid().model()->rowCount(), 0);
}

TEST_F(VariableTabTest, FieldsRefuseCharactersTheFileCannotHoldAndTextBeyondTheirLimits) {
  Campo(1)->insert(QStringLiteral("Ωmega"));
  EXPECT_EQ(Campo(1)->text(), QString());
  Campo(1)->insert(QStringLiteral("AÇÃO €"));
  EXPECT_EQ(Campo(1)->text(), QStringLiteral("AÇÃO €"));
  Campo(3)->insert(QStringLiteral("D12345"));
  EXPECT_EQ(Campo(3)->text(), QStringLiteral("D1234"));
  Campo(0)->insert(QStringLiteral("\t"));
  EXPECT_EQ(Campo(0)->text(), QString());
}

TEST_F(VariableTabTest, ClickSelectsDoubleClickEditsAndTheHeaderSelectsNothing) {
  for (const char* t : {"A", "B", "C"}) {
    TypeLine("0", t, "u", "D1");
    QTest::mouseClick(Button(name::BotaoSalvar), Qt::LeftButton);
  }
  QTest::mouseClick(Grid().horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(60, 5));
  EXPECT_FALSE(Button(name::BotaoEditar)->isEnabled());

  ClickRow(2);
  EXPECT_TRUE(Button(name::BotaoEditar)->isEnabled());
  EXPECT_TRUE(Button(name::BotaoSetaAcima)->isEnabled());
  EXPECT_TRUE(Button(name::BotaoSetaAbaixo)->isEnabled());
  EXPECT_EQ(ToRgb(Button(name::BotaoRemover)->palette().color(QPalette::Button)), colours::Amber);
  EXPECT_EQ(ToRgb(Grid().model()->index(1, 2).data(Qt::BackgroundRole).value<QColor>()), colours::Amber);

  DoubleClickRow(3);
  EXPECT_EQ(Campo(1)->text(), QStringLiteral("C"));
  EXPECT_EQ(Base(Campo(1)), colours::Amber);
  EXPECT_TRUE(window->state().variableEditing);  // the release after the double-click does not end it
  EXPECT_FALSE(Button(name::BotaoSetaAbaixo)->isEnabled());

  Campo(1)->setText(QStringLiteral("Z"));
  QTest::mouseClick(Button(name::BotaoSalvar), Qt::LeftButton);
  EXPECT_EQ(Grid().model()->rowCount(), 3);
  EXPECT_EQ(Grid().model()->index(2, 1).data().toString(), QStringLiteral("Z"));
  EXPECT_FALSE(Button(name::BotaoEditar)->isEnabled());
}

TEST_F(VariableTabTest, ABrokenGroupSequenceColoursTheGrupoHeaderToo) {
  TypeLine("1", "A", "u", "D1");
  QTest::mouseClick(Button(name::BotaoSalvar), Qt::LeftButton);
  window->Run([&] { CheckGroupSequence(window->state()); });
  EXPECT_EQ(ToRgb(Grid().model()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>()), colours::Red);
  EXPECT_EQ(ToRgb(Grid().model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>()), colours::Red);
  QTest::mouseClick(Button(name::BotaoLimpar), Qt::LeftButton);
  EXPECT_EQ(ToRgb(Grid().model()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>()), colours::Grey);
  EXPECT_EQ(QApplication::focusWidget(), Campo(0));
}

}  // namespace
}  // namespace zelkor
