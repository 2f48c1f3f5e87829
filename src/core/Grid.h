#pragma once

#include "Colours.h"

#include <QObject>
#include <QString>

#include <stdexcept>
#include <vector>

namespace zelkor {

enum class CellAlignment { LeftCentre, Centre };

// Refusals of the grid (such as removing its only data line); reported to the
// user through the unexpected-error convention by whoever called.
class GridError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The grid of text cells that holds a list: line 0 is the fixed header line,
// lines 1.. are data lines. It may hold more lines than its list has rows.
// Views bind to it through its signals; it needs no widget.
class Grid : public QObject {
  Q_OBJECT

 public:
  Grid(int columns, int fixedColumns, QObject* parent = nullptr);

  int Columns() const { return columns_; }
  int FixedColumns() const { return fixedColumns_; }

  // Lines including the header line; at least 1.
  int LineCount() const { return static_cast<int>(lines_.size()); }
  int DataLineCount() const { return LineCount() - 1; }
  void SetLineCount(int lines);

  QString Text(int line, int column) const;
  void SetText(int line, int column, const QString& text);

  Rgb Background(int line, int column) const;
  // Colours every cell of the range, both ends included.
  void SetBackground(int firstLine, int firstColumn, int lastLine, int lastColumn, Rgb colour);

  // Sorts lines firstLine..lastLine by the numeric value of one column,
  // ascending; whole lines (texts and colours) move, equal keys keep their order.
  void SortNumeric(int firstLine, int lastLine, int column);

  // Throws GridError when it is the only data line.
  void RemoveLine(int line);

  // Empties every cell, header included, and gives each its plain colour
  // back (no highlight or error mark survives); the line count stays.
  void Clear();

  int ColumnWidth(int column) const;  // twips; 0 = not shown
  void SetColumnWidth(int column, int twips);
  CellAlignment Alignment(int column) const;
  void SetAlignment(int column, CellAlignment alignment);

  int ControlWidth() const { return controlWidth_; }  // twips
  void SetControlWidth(int twips);

  // The line last asked to be the first data line in view.
  int TopLine() const { return topLine_; }
  void SetTopLine(int line);

 Q_SIGNALS:
  void LinesAboutToChange();
  void LinesChanged();
  void CellsChanged(int firstLine, int firstColumn, int lastLine, int lastColumn);
  void HeaderChanged();
  void LookChanged();
  void TopLineRequested(int line);

 private:
  struct Cell {
    QString text;
    Rgb background;
  };
  using Line = std::vector<Cell>;

  Line BlankLine() const;
  void CheckCell(int line, int column) const;
  void NotifyCells(int firstLine, int firstColumn, int lastLine, int lastColumn);

  int columns_;
  int fixedColumns_;
  std::vector<Line> lines_;
  std::vector<int> widths_;
  std::vector<CellAlignment> alignments_;
  int controlWidth_ = 0;
  int topLine_ = 1;
};

// The texts are compared as numbers; a text that is not a number counts as 0.
double GridNumber(const QString& text);

}  // namespace zelkor
