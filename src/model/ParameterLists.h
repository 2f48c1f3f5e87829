#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <utility>
#include <vector>

namespace zelkor {

// Appends stop here; a parameter file may bring more rows.
inline constexpr int kMaxRows = 255;

// Editável as the file, the sheet and the grid show it.
inline const QString kSim = QStringLiteral("Sim");
inline const QString kNao = QStringLiteral("Não");
inline QString EditableText(bool editable) { return editable ? kSim : kNao; }
// Editável as a file or a recovery copy writes it: Sim when it starts with "S", as the PLC image has always read it.
inline bool EditableFromText(const QString& text) { return text.startsWith(u'S'); }

struct VariableRow {
  QString grupo;  // as typed or read: a file may bring any character
  QString texto;
  QString unidade;
  QString endereco;
  bool editable = false;
  // Where the sort places the row: the group digit and the row number it was written at, "300012" for group 3 at
  // row 12. Not renumbered by later moves, so it belongs to the row.
  QString orderKey = {};
  friend bool operator==(const VariableRow&, const VariableRow&) = default;
};

// Both lists, as the editor, the files, the sheet, the PLC image and the history hold them.
struct Lists {
  std::vector<VariableRow> variables = {};
  QStringList alarms = {};  // each as stored: two 8-character halves, or whatever a file brought
  friend bool operator==(const Lists&, const Lists&) = default;
};

inline constexpr int kAlarmHalf = 8;

// Each text blank-filled or cut to 8 characters, first text first: 16 in all.
QString ComposeAlarmText(const QString& texto1, const QString& texto2);
// The length rule of a half: at most 8 characters, and the first not empty.
bool AlarmHalfFits(const QString& half, bool first);
// Characters 1-8 and 9-16 (those that exist: a text from a file may be shorter).
std::pair<QString, QString> SplitAlarmText(const QString& alarmText);

// A refusal to change a list (such as removing a row that is not there);
// reported through the unexpected-error convention by whoever called.
class ListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The group digit followed by the row number in five digits: group 3 at row 12 gives "300012".
QString OrderKey(const QString& groupDigit, int row);

// The group as a whole number without leading zeros, as typed groups enter the key.
QString FormatGroup(const QString& grupo);

// The keys loading gives: the first character of Grupo as it stands and the row number.
void KeyAsLoaded(std::vector<VariableRow>& rows);

// By the numeric value of the order keys, ascending, equal keys keeping their
// order; a key that is not a number counts as 0.
void SortByOrderKey(std::vector<VariableRow>& rows);

}  // namespace zelkor
