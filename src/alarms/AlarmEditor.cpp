#include "AlarmEditor.h"

#include "editing/History.h"
#include "editing/ListEditing.h"

namespace zelkor {

namespace {
QString Half(const QString& text) { return (text + QString(10, u' ')).left(kAlarmHalf); }
}  // namespace

QString ComposeAlarmText(const QString& texto1, const QString& texto2) { return Half(texto1) + Half(texto2); }

std::pair<QString, QString> SplitAlarmText(const QString& alarmText) {
  return {alarmText.left(kAlarmHalf), alarmText.mid(kAlarmHalf, kAlarmHalf)};
}

bool ValidateAlarmText(EditorState& s) {
  auto& [texto1, texto2] = s.alarmPage.entry;
  texto1.background = colours::White;
  texto2.background = colours::White;
  if (!texto1.text.isEmpty() && texto1.text.size() <= kAlarmHalf) return true;  // blanks count: no trimming
  texto1.background = colours::Red;
  s.focus = Focus::AlarmText1;
  s.messages.Show(Exclamation(QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"),
                              QStringLiteral("Texto: (1 a 8 caracteres)!")));
  return false;
}

void StoreAlarmRow(EditorState& s) {
  const QString text = ComposeAlarmText(s.alarmPage.entry[0].text, s.alarmPage.entry[1].text);
  WriteRow(
      s, AlarmListEditor(s), [&] { s.alarms.Append(text); }, [&](int row) { s.alarms.Replace(row, text); });
}

void IncludeAlarmLine(EditorState& s) {
  if (s.readingPlc) return;
  const ListEditor editor = AlarmListEditor(s);
  const int edited = s.alarmPage.editing ? s.alarms.SelectedRow() : 0;
  RecordStep(
      s,
      [&] {
        if (!ValidateAlarmText(s)) return;
        s.listsChanged = true;  // also when the row limit then refuses the row
        StoreAlarmRow(s);
        FinishSave(s, editor);
        // Unlike the Variable list, a saved alarm leaves no row selected.
        PaintSelection(editor, colours::White);
        s.alarms.SetSelectedRow(0);
      },
      [&] { return SaveStepLabel(editor, edited, s.alarms.Count()); });
}

void EditSelectedAlarm(EditorState& s) {
  if (s.readingPlc || !BeginEdit(AlarmListEditor(s))) return;
  const auto [texto1, texto2] = SplitAlarmText(s.alarms.Text(s.alarms.SelectedRow()));
  s.alarmPage.entry[0].text = texto1;
  s.alarmPage.entry[1].text = texto2;
}

void ClearAlarmFields(EditorState& s) {
  if (!s.readingPlc) ClearEntryFields(s, AlarmListEditor(s));
}

void RemoveSelectedAlarm(EditorState& s) { RemoveSelectedRow(s, AlarmListEditor(s), ClearAlarmFields); }

void ClearAlarmList(EditorState& s) { ClearWholeList(s, AlarmListEditor(s), ClearAlarmFields); }

void SelectAlarmLine(EditorState& s, int line) { SelectRow(AlarmListEditor(s), line); }

void EditAlarmLine(EditorState& s, int line) {
  if (SelectRow(AlarmListEditor(s), line)) EditSelectedAlarm(s);
}

}  // namespace zelkor
