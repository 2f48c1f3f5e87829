#include "core/ParameterLists.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

VariableRow Row(const QString& grupo, const QString& texto = QStringLiteral("TEMP    ")) {
  return {grupo, texto, QStringLiteral("C  "), QStringLiteral("D100"), QStringLiteral("Sim")};
}

QStringList Keys(const VariableList& list) {
  QStringList keys;
  for (int r = 1; r <= list.count(); ++r) keys << list.orderKey(r);
  return keys;
}

TEST(OrderKey, IsTheGroupDigitFollowedByTheRowInFiveDigits) {
  EXPECT_EQ(OrderKey(QStringLiteral("0"), 1), QStringLiteral("000001"));
  EXPECT_EQ(OrderKey(QStringLiteral("3"), 12), QStringLiteral("300012"));
  EXPECT_EQ(OrderKey(QStringLiteral("7"), 255), QStringLiteral("700255"));
  EXPECT_EQ(OrderKey(QStringLiteral("2"), 99999), QStringLiteral("299999"));
}

TEST(OrderKey, TypedGroupsEnterAsWholeNumbersWithoutLeadingZeros) {
  EXPECT_EQ(FormatGroup(QStringLiteral("3")), QStringLiteral("3"));
  EXPECT_EQ(FormatGroup(QStringLiteral(" 0")), QStringLiteral("0"));
  EXPECT_EQ(FormatGroup(QStringLiteral("+5")), QStringLiteral("5"));
}

TEST(VariableList, The255thAppendIsAcceptedAndThe256thRefusedLeavingTheListAsItWas) {
  VariableList list;
  for (int i = 1; i <= 254; ++i) ASSERT_TRUE(list.append(Row(QStringLiteral("0"))));
  ASSERT_TRUE(list.append(Row(QStringLiteral("1"), QStringLiteral("LAST"))));
  EXPECT_EQ(list.count(), 255);
  EXPECT_EQ(list.orderKey(255), QStringLiteral("100255"));

  EXPECT_FALSE(list.append(Row(QStringLiteral("2"), QStringLiteral("EXTRA"))));
  EXPECT_EQ(list.count(), 255);
  EXPECT_EQ(list.grid().lineCount(), 256);
  EXPECT_EQ(list.row(255).texto, QStringLiteral("LAST"));
}

TEST(VariableList, LoadingHasNoLimitAndTakesTheKeyDigitFromTheGroupAsItStands) {
  VariableList list;
  for (int i = 0; i < 300; ++i) list.load(Row(QStringLiteral("1")));
  EXPECT_EQ(list.count(), 300);
  EXPECT_EQ(list.orderKey(300), QStringLiteral("100300"));
  EXPECT_FALSE(list.append(Row(QStringLiteral("1"))));
  EXPECT_EQ(list.count(), 300);

  VariableList odd;
  odd.load(Row(QStringLiteral("X")));
  EXPECT_EQ(odd.orderKey(1), QStringLiteral("X00001"));
}

TEST(VariableList, RemovingARowMovesTheRestUpWithoutRenumberingTheirKeys) {
  VariableList list;
  for (int i = 0; i < 3; ++i) list.append(Row(QStringLiteral("0")));
  list.setSelectedRow(2);
  list.removeRow(2);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.selectedRow(), 0);
  EXPECT_EQ(Keys(list), (QStringList{QStringLiteral("000001"), QStringLiteral("000003")}));
  EXPECT_EQ(list.grid().lineCount(), 3);

  // An append after the removal may repeat a key already in the list.
  list.append(Row(QStringLiteral("0")));
  EXPECT_EQ(list.orderKey(3), QStringLiteral("000003"));
}

TEST(VariableList, RemovingTheOnlyRowLeavesTheHeaderAndOneBlankLine) {
  VariableList list;
  list.append(Row(QStringLiteral("4")));
  list.setSelectedRow(1);
  list.removeRow(1);
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.selectedRow(), 0);
  ASSERT_EQ(list.grid().lineCount(), 2);
  EXPECT_EQ(list.grid().text(0, varcol::Endereco), QStringLiteral("Endereço"));
  for (int c = 0; c < varcol::Count; ++c) EXPECT_EQ(list.grid().text(1, c), QString()) << c;

  // The blank line is not a row: removing it is refused and nothing changes.
  EXPECT_THROW(list.removeRow(1), GridError);
  EXPECT_EQ(list.count(), 0);
  EXPECT_FALSE(list.isRow(1));

  // The next append fills the blank line instead of adding another.
  list.append(Row(QStringLiteral("0")));
  EXPECT_EQ(list.grid().lineCount(), 2);
  EXPECT_EQ(list.orderKey(1), QStringLiteral("000001"));
}

TEST(SortVariableList, OrdersByGroupThenRecordedRowAndKeepsEqualKeysInPlace) {
  VariableList list;
  list.append(Row(QStringLiteral("1"), QStringLiteral("A")));  // 100001
  list.append(Row(QStringLiteral("0"), QStringLiteral("B")));  // 000002
  list.append(Row(QStringLiteral("0"), QStringLiteral("C")));  // 000003
  list.removeRow(2);                                           // keys 100001, 000003
  list.append(Row(QStringLiteral("0"), QStringLiteral("D")));  // 000003 again
  SortVariableList(list);
  QString order;
  for (int r = 1; r <= list.count(); ++r) order += list.row(r).texto;
  EXPECT_EQ(order, QStringLiteral("CDA"));
}

TEST(SortVariableList, LeavesTheBlankLineOfAnEmptyListAlone) {
  VariableList list;
  list.append(Row(QStringLiteral("0")));
  list.removeRow(1);
  SortVariableList(list);
  EXPECT_EQ(list.grid().lineCount(), 2);
  EXPECT_EQ(list.grid().text(0, varcol::Grupo), QStringLiteral("Grupo"));
}

TEST(ResetGridHeaders, RestoresHeaderTextsWidthsAndAlignmentsAfterTheCellsWereEmptied) {
  VariableList variables;
  AlarmList alarms;
  variables.grid().clear();
  alarms.grid().clear();
  variables.grid().setColumnWidth(1, 1);
  ResetGridHeaders(variables, alarms);

  struct Expected {
    const char16_t* text;
    int width;
    CellAlignment alignment;
  };
  const Expected expected[] = {{u"Grupo", 550, CellAlignment::Centre},
                               {u"   Texto", 1000, CellAlignment::LeftCentre},
                               {u"Unidade", 700, CellAlignment::LeftCentre},
                               {u"Endereço", 800, CellAlignment::LeftCentre},
                               {u"Editável", 830, CellAlignment::Centre}};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(variables.grid().text(0, c), QString::fromUtf16(expected[c].text));
    EXPECT_EQ(variables.grid().columnWidth(c), expected[c].width);
    EXPECT_EQ(variables.grid().alignment(c), expected[c].alignment);
  }
  EXPECT_EQ(variables.grid().text(0, varcol::OrderKey), QString());
  EXPECT_EQ(variables.grid().columnWidth(varcol::OrderKey), 0);  // never shown
  EXPECT_EQ(alarms.grid().text(0, 0), QStringLiteral("Texto editado Alarmes (8X8)"));
  EXPECT_EQ(alarms.grid().columnWidth(0), 3500);
}

}  // namespace
}  // namespace zelkor
