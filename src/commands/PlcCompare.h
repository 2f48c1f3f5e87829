#pragma once

#include "Editor.h"
#include "FileDialog.h"
#include "PlcRead.h"
#include "link/PlcLink.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zelkor {

// One row that differs between the window's lists and the PLC, each side as
// its grid shows it ("0 | TEMP | C | D100 | Sim", an alarm's two halves), the
// fields that differ between «», "—" for a side that has no such row.
struct ComparedRow {
  QString list;  // "Variáveis" or "Alarmes"
  int line = 0;
  QString editor;
  QString plc;
  friend bool operator==(const ComparedRow&, const ComparedRow&) = default;
};

struct ListTally {
  int equal = 0;
  int different = 0;
  int onlyEditor = 0;
  int onlyPlc = 0;
};

struct PlcComparison {
  ListTally variables;
  ListTally alarms;
  std::vector<ComparedRow> rows;  // the differing rows, Variáveis first, each list by line

  bool Identical() const { return rows.empty(); }
  // "Variáveis: 3 iguais, 1 diferente, 1 só no editor. Alarmes: 2 iguais, 1 diferente."
  QString Summary() const;
};

// Rows are matched by list and line and compared as the PLC image holds them:
// "D0100" and "D100", or a text and the same text with blanks after it, are
// the same bytes; anything else in the bytes of a record is a difference.
PlcComparison CompareWithImage(const Lists& editor, const std::vector<QByteArray>& plcVariableRecords,
                               const std::vector<QByteArray>& plcAlarmRecords);

// Shows a comparison that found differences; true when the technician
// chose "Usar o CLP".
class ComparisonView {
 public:
  virtual ~ComparisonView() = default;
  virtual bool Show(const QString& title, const PlcComparison& comparison) = 0;
};

// "Compara CLP": reads both lists out of the PLC as "Lê CLP" does and shows
// how they differ from the lists as they stood at the click, changing
// nothing; "Usar o CLP" then replaces the lists as "Lê CLP" would.
// `done` hears Done when the lists are equal, Different otherwise.
void CompareWithPlc(Editor& state, ComparisonView& view, const PlcDone& done = {});

}  // namespace zelkor
