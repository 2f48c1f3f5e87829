#include "core/Grid.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

void FillThreeLines(Grid& grid) {
  grid.setLineCount(4);
  for (int line = 1; line <= 3; ++line) grid.setText(line, 0, QString::number(line));
}

TEST(Grid, GrowsWithBlankLinesInTheFixedColumnsGreyAndOthersWhite) {
  Grid grid(3, 1);
  EXPECT_EQ(grid.lineCount(), 1);
  grid.setLineCount(3);
  EXPECT_EQ(grid.dataLineCount(), 2);
  EXPECT_EQ(grid.text(2, 1), QString());
  EXPECT_EQ(grid.background(2, 0), colours::Grey);
  EXPECT_EQ(grid.background(2, 1), colours::White);
  EXPECT_THROW(grid.text(3, 0), GridError);
  EXPECT_THROW(grid.text(0, 3), GridError);
}

TEST(Grid, RemovingALineMovesTheLinesBelowUpButTheOnlyDataLineIsRefused) {
  Grid grid(2, 1);
  FillThreeLines(grid);
  grid.removeLine(2);
  ASSERT_EQ(grid.dataLineCount(), 2);
  EXPECT_EQ(grid.text(2, 0), QStringLiteral("3"));
  grid.removeLine(1);
  EXPECT_THROW(grid.removeLine(1), GridError);
  EXPECT_EQ(grid.text(1, 0), QStringLiteral("3"));
  EXPECT_THROW(grid.removeLine(0), GridError);  // the header is not a data line
}

TEST(Grid, ColoursARangeAndTheColoursTravelWithTheirLinesWhenSorted) {
  Grid grid(2, 0);
  grid.setLineCount(4);
  const char* keys[] = {"300", "100", "200"};
  for (int line = 1; line <= 3; ++line) grid.setText(line, 0, QString::fromLatin1(keys[line - 1]));
  grid.setBackground(1, 0, 1, 1, colours::Amber);
  grid.sortNumeric(1, 3, 0);
  EXPECT_EQ(grid.text(1, 0), QStringLiteral("100"));
  EXPECT_EQ(grid.text(3, 0), QStringLiteral("300"));
  EXPECT_EQ(grid.background(3, 1), colours::Amber);
  EXPECT_EQ(grid.background(1, 1), colours::White);
}

TEST(Grid, SortsByValueNotByTextAndKeepsEqualValuesInTheirOrder) {
  Grid grid(2, 0);
  grid.setLineCount(6);
  const char* rows[][2] = {{"100002", "a"}, {"000010", "b"}, {"000001", "c"}, {"100002", "d"}, {"000010", "e"}};
  for (int line = 1; line <= 5; ++line) {
    grid.setText(line, 0, QString::fromLatin1(rows[line - 1][0]));
    grid.setText(line, 1, QString::fromLatin1(rows[line - 1][1]));
  }
  grid.sortNumeric(1, 5, 0);
  QString order;
  for (int line = 1; line <= 5; ++line) order += grid.text(line, 1);
  EXPECT_EQ(order, QStringLiteral("cbead"));
}

TEST(Grid, NumbersOfTheSortReadBlanksAndSignsAndTreatTextAsZero) {
  EXPECT_EQ(GridNumber(QStringLiteral(" 12 ")), 12.0);
  EXPECT_EQ(GridNumber(QStringLiteral("-3")), -3.0);
  EXPECT_EQ(GridNumber(QStringLiteral("A00001")), 0.0);
  EXPECT_EQ(GridNumber(QString()), 0.0);
}

}  // namespace
}  // namespace zelkor
