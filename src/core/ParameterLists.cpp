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

int RowList::AppendLine() {
  ++count_;
  if (count_ > grid_.DataLineCount()) grid_.SetLineCount(count_ + 1);
  return count_;
}

void RowList::RemoveRow(int row) {
  if (count_ != 1) {
    grid_.RemoveLine(row);  // refuses the blank line of an empty list
  } else {
    grid_.Clear();
    ResetHeader();
  }
  selectedRow_ = 0;
  --count_;
}

void RowList::Clear() {
  for (int line = grid_.DataLineCount(); line >= 2; --line) grid_.RemoveLine(line);
  grid_.Clear();
  selectedRow_ = 0;
  count_ = 0;
  ResetHeader();
}

void RowList::ClearForLoad() {
  if (count_ > 0) {
    grid_.Clear();
    grid_.SetLineCount(1);
  }
  selectedRow_ = 0;
  count_ = 0;
}

VariableList::VariableList() : RowList(varcol::Count, 1) {
  Cells().SetControlWidth(kVariableGridWidth);
  ResetHeader();
}

void VariableList::ResetHeader() {
  struct Column {
    const char16_t* header;
    int width;
    CellAlignment alignment;
  };
  static constexpr Column kColumns[] = {
      {u"Grupo", 550, CellAlignment::Centre},       {u"   Texto", 1000, CellAlignment::LeftCentre},
      {u"Unidade", 700, CellAlignment::LeftCentre}, {u"Endereço", 800, CellAlignment::LeftCentre},
      {u"Editável", 830, CellAlignment::Centre},
  };
  Grid& g = Cells();
  for (int c = 0; c < 5; ++c) {
    const Column& column = kColumns[c];
    g.SetText(0, c, QString::fromUtf16(column.header));
    g.SetColumnWidth(c, column.width);
    g.SetAlignment(c, column.alignment);
  }
}

void VariableList::Write(int row, const VariableRow& values, const QString& groupDigit) {
  Grid& g = Cells();
  g.SetText(row, varcol::Grupo, values.grupo);
  g.SetText(row, varcol::Texto, values.texto);
  g.SetText(row, varcol::Unidade, values.unidade);
  g.SetText(row, varcol::Endereco, values.endereco);
  g.SetText(row, varcol::Editavel, values.editavel);
  g.SetText(row, varcol::OrderKey, OrderKey(groupDigit, row));
}

void VariableList::Append(const VariableRow& row) {
  if (IsFull()) return;
  Write(AppendLine(), row, FormatGroup(row.grupo));
}

void VariableList::Replace(int row, const VariableRow& values) { Write(row, values, FormatGroup(values.grupo)); }

void VariableList::Load(const VariableRow& row) { Write(AppendLine(), row, row.grupo.left(1)); }

void VariableList::Restore(const VariableRow& row, const QString& key) {
  const int line = AppendLine();
  Write(line, row, {});
  Cells().SetText(line, varcol::OrderKey, key);
}

VariableRow VariableList::Row(int r) const {
  const Grid& g = Cells();
  return {g.Text(r, varcol::Grupo), g.Text(r, varcol::Texto), g.Text(r, varcol::Unidade), g.Text(r, varcol::Endereco),
          g.Text(r, varcol::Editavel)};
}

AlarmList::AlarmList() : RowList(1, 0) {
  Cells().SetControlWidth(kVariableGridWidth);  // same place and size as the Variable grid
  ResetHeader();
}

void AlarmList::ResetHeader() {
  Cells().SetText(0, 0, QStringLiteral("Texto editado Alarmes (8X8)"));
  Cells().SetColumnWidth(0, 3500);
  Cells().SetAlignment(0, CellAlignment::LeftCentre);
}

void AlarmList::Append(const QString& alarmText) {
  if (IsFull()) return;
  Cells().SetText(AppendLine(), 0, alarmText);
}

void AlarmList::Replace(int row, const QString& alarmText) { Cells().SetText(row, 0, alarmText); }

void AlarmList::Load(const QString& alarmText) { Cells().SetText(AppendLine(), 0, alarmText); }

void ResetGridHeaders(VariableList& variables, AlarmList& alarms) {
  variables.ResetHeader();
  alarms.ResetHeader();
}

void SortVariableList(VariableList& variables) {
  Grid& g = variables.Cells();
  const int selected = variables.SelectedRow();
  if (selected >= 1 && selected < g.LineCount()) {
    g.SetBackground(selected, varcol::Texto, selected, varcol::Editavel, colours::White);
  }
  // Only rows 1..count belong to the list; a blank line left below them stays put.
  g.SortNumeric(1, variables.Count(), varcol::OrderKey);
}

}  // namespace zelkor
