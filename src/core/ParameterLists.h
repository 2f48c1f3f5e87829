#pragma once

#include "Colours.h"
#include "Grid.h"

#include <QString>

namespace zelkor {

// Appends stop here; a parameter file may bring more rows.
inline constexpr int kMaxRows = 255;

namespace varcol {
inline constexpr int Grupo = 0;
inline constexpr int Texto = 1;
inline constexpr int Unidade = 2;
inline constexpr int Endereco = 3;
inline constexpr int Editavel = 4;
inline constexpr int OrderKey = 5;
inline constexpr int Count = 6;
}  // namespace varcol

inline constexpr int kVariableGridWidth = 3975;      // twips
inline constexpr int kVariableGridWideWidth = 4220;  // room for the scroll bar

// The two values of Editável, as the grid, the file and the spreadsheet hold them.
inline const QString kSim = QStringLiteral("Sim");
inline const QString kNao = QStringLiteral("Não");

struct VariableRow {
  QString grupo;
  QString texto;
  QString unidade;
  QString endereco;
  QString editavel;  // "Sim" or "Não"
  friend bool operator==(const VariableRow&, const VariableRow&) = default;
};

// The group digit followed by the row number in five digits: group 3 at row 12
// gives "300012".
QString OrderKey(const QString& groupDigit, int row);

// The group as a whole number without leading zeros, as typed groups enter the key.
QString FormatGroup(const QString& grupo);

// What the two lists share: a grid that holds the rows, the row count and the
// selected row. Rows are 1..count; the grid may hold a blank line beyond them.
class RowList {
 public:
  virtual ~RowList() = default;
  RowList(const RowList&) = delete;
  RowList& operator=(const RowList&) = delete;

  Grid& Cells() { return grid_; }
  const Grid& Cells() const { return grid_; }

  int Count() const { return count_; }
  bool IsFull() const { return count_ >= kMaxRows; }
  bool IsRow(int line) const { return line >= 1 && line <= count_; }

  int SelectedRow() const { return selectedRow_; }
  void SetSelectedRow(int row) { selectedRow_ = row; }

  // The row below moves up; keys are not renumbered. Removing the only row
  // empties the grid's cells and leaves one blank line under the header.
  void RemoveRow(int row);
  // Deletes lines count..2, empties the cells: header and one blank line remain.
  void Clear();
  // The clearing that loading uses: a grid with rows goes back to its header line alone.
  void ClearForLoad();

  virtual void ResetHeader() = 0;

 protected:
  RowList(int columns, int fixedColumns);
  // Adds one row at the end, growing the grid when needed; returns its number.
  int AppendLine();

 private:
  Grid grid_;
  int count_ = 0;
  int selectedRow_ = 0;
};

class VariableList final : public RowList {
 public:
  VariableList();

  // Leaves the list unchanged when it already holds 255 rows or more.
  void Append(const VariableRow& row);
  void Replace(int row, const VariableRow& values);
  // A row read from a parameter file: no limit, the key's group digit is the
  // first character of Grupo as it stands.
  void Load(const VariableRow& row);
  // A row as it stood before, its order key with it (what undo puts back).
  void Restore(const VariableRow& row, const QString& key);

  VariableRow Row(int row) const;
  QString KeyOf(int row) const { return Cells().Text(row, varcol::OrderKey); }

  // From 20 lines on the grid shows a scroll bar and is made wider for it.
  void FitControlWidth() {
    Cells().SetControlWidth(Cells().LineCount() >= 20 ? kVariableGridWideWidth : kVariableGridWidth);
  }

  void ResetHeader() override;

 private:
  void Write(int row, const VariableRow& values, const QString& groupDigit);
};

class AlarmList final : public RowList {
 public:
  AlarmList();

  void Append(const QString& alarmText);
  void Replace(int row, const QString& alarmText);
  void Load(const QString& alarmText);
  QString Text(int row) const { return Cells().Text(row, 0); }

  void ResetHeader() override;
};

// Header texts, widths and alignments of both grids; touches no data row.
void ResetGridHeaders(VariableList& variables, AlarmList& alarms);

// Clears the highlight of the selected row, then sorts the rows by the numeric
// value of their order keys, equal keys keeping their order.
void SortVariableList(VariableList& variables);

}  // namespace zelkor
