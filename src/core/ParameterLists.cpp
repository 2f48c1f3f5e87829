#include "ParameterLists.h"

namespace zelkor {

QString OrderKey(const QString& groupDigit, int row) {
  return groupDigit + QStringLiteral("%1").arg(row, 5, 10, QLatin1Char('0'));
}

QString FormatGroup(const QString& grupo) {
  bool ok = false;
  const long long value = grupo.trimmed().toLongLong(&ok);
  return ok ? QString::number(value) : grupo.trimmed();
}

RowList::RowList(int columns, int fixedColumns) : grid_(columns, fixedColumns) {}

int RowList::appendLine() {
  ++count_;
  if (count_ > grid_.dataLineCount()) grid_.setLineCount(count_ + 1);
  return count_;
}

void RowList::removeRow(int row) {
  if (count_ != 1) {
    grid_.removeLine(row);  // refuses the blank line of an empty list
  } else {
    grid_.clear();
    resetHeader();
  }
  selectedRow_ = 0;
  --count_;
}

void RowList::clear() {
  for (int line = grid_.dataLineCount(); line >= 2; --line) grid_.removeLine(line);
  grid_.clear();
  selectedRow_ = 0;
  count_ = 0;
  resetHeader();
}

void RowList::clearForLoad() {
  if (count_ > 0) {
    grid_.clear();
    grid_.setLineCount(1);
  }
  selectedRow_ = 0;
  count_ = 0;
}

VariableList::VariableList() : RowList(varcol::Count, 1) {
  grid().setControlWidth(kVariableGridWidth);
  resetHeader();
}

void VariableList::resetHeader() {
  struct Column {
    const char16_t* header;
    int width;
    CellAlignment alignment;
  };
  static constexpr Column kColumns[] = {
      {u"Grupo", 550, CellAlignment::Centre},
      {u"   Texto", 1000, CellAlignment::LeftCentre},
      {u"Unidade", 700, CellAlignment::LeftCentre},
      {u"Endereço", 800, CellAlignment::LeftCentre},
      {u"Editável", 830, CellAlignment::Centre},
  };
  Grid& g = grid();
  for (int c = 0; c < 5; ++c) {
    const Column& column = kColumns[c];
    g.setText(0, c, QString::fromUtf16(column.header));
    g.setColumnWidth(c, column.width);
    g.setAlignment(c, column.alignment);
  }
}

void VariableList::write(int row, const VariableRow& values, const QString& groupDigit) {
  Grid& g = grid();
  g.setText(row, varcol::Grupo, values.grupo);
  g.setText(row, varcol::Texto, values.texto);
  g.setText(row, varcol::Unidade, values.unidade);
  g.setText(row, varcol::Endereco, values.endereco);
  g.setText(row, varcol::Editavel, values.editavel);
  g.setText(row, varcol::OrderKey, OrderKey(groupDigit, row));
}

bool VariableList::append(const VariableRow& row) {
  if (isFull()) return false;
  write(appendLine(), row, FormatGroup(row.grupo));
  return true;
}

void VariableList::replace(int row, const VariableRow& values) {
  write(row, values, FormatGroup(values.grupo));
}

void VariableList::load(const VariableRow& row) { write(appendLine(), row, row.grupo.left(1)); }

VariableRow VariableList::row(int r) const {
  const Grid& g = grid();
  return {g.text(r, varcol::Grupo), g.text(r, varcol::Texto), g.text(r, varcol::Unidade),
          g.text(r, varcol::Endereco), g.text(r, varcol::Editavel)};
}

AlarmList::AlarmList() : RowList(1, 0) {
  grid().setControlWidth(kVariableGridWidth);  // same place and size as the Variable grid
  resetHeader();
}

void AlarmList::resetHeader() {
  grid().setText(0, 0, QStringLiteral("Texto editado Alarmes (8X8)"));
  grid().setColumnWidth(0, 3500);
  grid().setAlignment(0, CellAlignment::LeftCentre);
}

bool AlarmList::append(const QString& alarmText) {
  if (isFull()) return false;
  grid().setText(appendLine(), 0, alarmText);
  return true;
}

void AlarmList::replace(int row, const QString& alarmText) { grid().setText(row, 0, alarmText); }

void AlarmList::load(const QString& alarmText) { grid().setText(appendLine(), 0, alarmText); }

void ResetGridHeaders(VariableList& variables, AlarmList& alarms) {
  variables.resetHeader();
  alarms.resetHeader();
}

void SortVariableList(VariableList& variables) {
  Grid& g = variables.grid();
  const int selected = variables.selectedRow();
  if (selected >= 1 && selected < g.lineCount()) {
    g.setBackground(selected, varcol::Texto, selected, varcol::Editavel, colours::White);
  }
  // Only rows 1..count belong to the list; a blank line left below them stays put.
  g.sortNumeric(1, variables.count(), varcol::OrderKey);
}

}  // namespace zelkor
