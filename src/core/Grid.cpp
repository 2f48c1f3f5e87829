#include "Grid.h"

#include <algorithm>

namespace zelkor {

Grid::Grid(int columns, int fixedColumns, QObject* parent)
    : QObject(parent),
      columns_(columns),
      fixedColumns_(fixedColumns),
      widths_(static_cast<size_t>(columns), 0),
      alignments_(static_cast<size_t>(columns), CellAlignment::LeftCentre) {
  lines_.push_back(blankLine());
}

Grid::Line Grid::blankLine() const {
  Line line(static_cast<size_t>(columns_));
  for (int c = 0; c < columns_; ++c) {
    line[static_cast<size_t>(c)].background = c < fixedColumns_ ? colours::Grey : colours::White;
  }
  return line;
}

void Grid::checkCell(int line, int column) const {
  if (line < 0 || line >= lineCount() || column < 0 || column >= columns_) {
    throw GridError("Índice de linha ou coluna da grade fora do intervalo.");
  }
}

void Grid::notifyCells(int firstLine, int firstColumn, int lastLine, int lastColumn) {
  if (firstLine == 0) Q_EMIT headerChanged();
  if (lastLine >= 1) Q_EMIT cellsChanged(std::max(firstLine, 1), firstColumn, lastLine, lastColumn);
}

void Grid::setLineCount(int lines) {
  lines = std::max(lines, 1);
  if (lines == lineCount()) return;
  Q_EMIT linesAboutToChange();
  lines_.resize(static_cast<size_t>(lines), blankLine());
  Q_EMIT linesChanged();
}

QString Grid::text(int line, int column) const {
  checkCell(line, column);
  return lines_[static_cast<size_t>(line)][static_cast<size_t>(column)].text;
}

void Grid::setText(int line, int column, const QString& text) {
  checkCell(line, column);
  lines_[static_cast<size_t>(line)][static_cast<size_t>(column)].text = text;
  notifyCells(line, column, line, column);
}

Rgb Grid::background(int line, int column) const {
  checkCell(line, column);
  return lines_[static_cast<size_t>(line)][static_cast<size_t>(column)].background;
}

void Grid::setBackground(int firstLine, int firstColumn, int lastLine, int lastColumn, Rgb colour) {
  checkCell(firstLine, firstColumn);
  checkCell(lastLine, lastColumn);
  for (int l = firstLine; l <= lastLine; ++l) {
    for (int c = firstColumn; c <= lastColumn; ++c) {
      lines_[static_cast<size_t>(l)][static_cast<size_t>(c)].background = colour;
    }
  }
  notifyCells(firstLine, firstColumn, lastLine, lastColumn);
}

double GridNumber(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  return ok ? value : 0.0;
}

void Grid::sortNumeric(int firstLine, int lastLine, int column) {
  if (firstLine < 1 || lastLine <= firstLine) return;
  checkCell(lastLine, column);
  Q_EMIT linesAboutToChange();
  const auto col = static_cast<size_t>(column);
  std::stable_sort(lines_.begin() + firstLine, lines_.begin() + lastLine + 1,
                   [col](const Line& a, const Line& b) {
                     return GridNumber(a[col].text) < GridNumber(b[col].text);
                   });
  Q_EMIT linesChanged();
}

void Grid::removeLine(int line) {
  if (line < 1 || line >= lineCount()) {
    throw GridError("Linha inexistente na grade.");
  }
  if (dataLineCount() == 1) {
    throw GridError("Não é possível remover a única linha não fixa da grade.");
  }
  Q_EMIT linesAboutToChange();
  lines_.erase(lines_.begin() + line);
  Q_EMIT linesChanged();
}

void Grid::clear() {
  for (auto& line : lines_) line = blankLine();
  notifyCells(0, 0, dataLineCount(), columns_ - 1);
}

int Grid::columnWidth(int column) const {
  checkCell(0, column);
  return widths_[static_cast<size_t>(column)];
}

void Grid::setColumnWidth(int column, int twips) {
  checkCell(0, column);
  widths_[static_cast<size_t>(column)] = twips;
  Q_EMIT lookChanged();
}

CellAlignment Grid::alignment(int column) const {
  checkCell(0, column);
  return alignments_[static_cast<size_t>(column)];
}

void Grid::setAlignment(int column, CellAlignment alignment) {
  checkCell(0, column);
  alignments_[static_cast<size_t>(column)] = alignment;
  Q_EMIT lookChanged();
}

void Grid::setControlWidth(int twips) {
  if (twips == controlWidth_) return;
  controlWidth_ = twips;
  Q_EMIT lookChanged();
}

void Grid::setTopLine(int line) {
  topLine_ = std::clamp(line, 1, std::max(1, dataLineCount()));
  Q_EMIT topLineRequested(topLine_);
}

}  // namespace zelkor
