#include "Grid.h"

#include <algorithm>

namespace zelkor {

Grid::Grid(int columns, int fixedColumns, QObject* parent)
    : QObject(parent),
      columns_(columns),
      fixedColumns_(fixedColumns),
      widths_(static_cast<size_t>(columns), 0),
      alignments_(static_cast<size_t>(columns), CellAlignment::LeftCentre) {
  lines_.push_back(BlankLine());
}

Grid::Line Grid::BlankLine() const {
  Line line(static_cast<size_t>(columns_));
  for (int c = 0; c < columns_; ++c) {
    line[static_cast<size_t>(c)].background = c < fixedColumns_ ? colours::Grey : colours::White;
  }
  return line;
}

void Grid::CheckCell(int line, int column) const {
  if (line < 0 || line >= LineCount() || column < 0 || column >= columns_) {
    throw GridError("Índice de linha ou coluna da grade fora do intervalo.");
  }
}

void Grid::NotifyCells(int firstLine, int firstColumn, int lastLine, int lastColumn) {
  if (firstLine == 0) Q_EMIT HeaderChanged();
  if (lastLine >= 1) Q_EMIT CellsChanged(std::max(firstLine, 1), firstColumn, lastLine, lastColumn);
}

void Grid::SetLineCount(int lines) {
  lines = std::max(lines, 1);
  if (lines == LineCount()) return;
  Q_EMIT LinesAboutToChange();
  lines_.resize(static_cast<size_t>(lines), BlankLine());
  Q_EMIT LinesChanged();
}

QString Grid::Text(int line, int column) const {
  CheckCell(line, column);
  return lines_[static_cast<size_t>(line)][static_cast<size_t>(column)].text;
}

void Grid::SetText(int line, int column, const QString& text) {
  CheckCell(line, column);
  lines_[static_cast<size_t>(line)][static_cast<size_t>(column)].text = text;
  NotifyCells(line, column, line, column);
}

Rgb Grid::Background(int line, int column) const {
  CheckCell(line, column);
  return lines_[static_cast<size_t>(line)][static_cast<size_t>(column)].background;
}

void Grid::SetBackground(int firstLine, int firstColumn, int lastLine, int lastColumn, Rgb colour) {
  CheckCell(firstLine, firstColumn);
  CheckCell(lastLine, lastColumn);
  for (int l = firstLine; l <= lastLine; ++l) {
    for (int c = firstColumn; c <= lastColumn; ++c) {
      lines_[static_cast<size_t>(l)][static_cast<size_t>(c)].background = colour;
    }
  }
  NotifyCells(firstLine, firstColumn, lastLine, lastColumn);
}

double GridNumber(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  return ok ? value : 0.0;
}

void Grid::SortNumeric(int firstLine, int lastLine, int column) {
  if (firstLine < 1 || lastLine <= firstLine) return;
  CheckCell(lastLine, column);
  Q_EMIT LinesAboutToChange();
  const auto col = static_cast<size_t>(column);
  std::stable_sort(lines_.begin() + firstLine, lines_.begin() + lastLine + 1,
                   [col](const Line& a, const Line& b) { return GridNumber(a[col].text) < GridNumber(b[col].text); });
  Q_EMIT LinesChanged();
}

void Grid::RemoveLine(int line) {
  if (line < 1 || line >= LineCount()) {
    throw GridError("Linha inexistente na grade.");
  }
  if (DataLineCount() == 1) {
    throw GridError("Não é possível remover a única linha não fixa da grade.");
  }
  Q_EMIT LinesAboutToChange();
  lines_.erase(lines_.begin() + line);
  Q_EMIT LinesChanged();
}

void Grid::Clear() {
  for (auto& line : lines_) line = BlankLine();
  NotifyCells(0, 0, DataLineCount(), columns_ - 1);
}

int Grid::ColumnWidth(int column) const {
  CheckCell(0, column);
  return widths_[static_cast<size_t>(column)];
}

void Grid::SetColumnWidth(int column, int twips) {
  CheckCell(0, column);
  widths_[static_cast<size_t>(column)] = twips;
  Q_EMIT LookChanged();
}

CellAlignment Grid::Alignment(int column) const {
  CheckCell(0, column);
  return alignments_[static_cast<size_t>(column)];
}

void Grid::SetAlignment(int column, CellAlignment alignment) {
  CheckCell(0, column);
  alignments_[static_cast<size_t>(column)] = alignment;
  Q_EMIT LookChanged();
}

void Grid::SetControlWidth(int twips) {
  if (twips == controlWidth_) return;
  controlWidth_ = twips;
  Q_EMIT LookChanged();
}

void Grid::SetTopLine(int line) {
  topLine_ = std::clamp(line, 1, std::max(1, DataLineCount()));
  Q_EMIT TopLineRequested(topLine_);
}

}  // namespace zelkor
