#include "AlarmEditor.h"

#include "History.h"
#include "ListEditing.h"

namespace zelkor {

bool ValidateAlarmText(Editor& s) {
  auto& [texto1, texto2] = s.alarmPage.entry;
  texto1.background = colours::White;
  texto2.background = colours::White;
  if (AlarmHalfFits(texto1.text, true)) return true;
  texto1.background = colours::Red;
  s.focus = Focus::AlarmText1;
  s.messages.Show(
      Exclamation(QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"), MessageTitle::TextLength));
  return false;
}

void StoreAlarmRow(Editor& s) {
  const QString text = ComposeAlarmText(s.alarmPage.entry[0].text, s.alarmPage.entry[1].text);
  WriteRow(
      s, AlarmListEditor(s), [&] { s.lists.alarms << text; }, [&](int row) { s.lists.alarms[row - 1] = text; });
}

void IncludeAlarmLine(Editor& s) {
  if (s.readingPlc) return;
  const ListEditor editor = AlarmListEditor(s);
  const int edited = s.alarmPage.editing ? s.alarmPage.selectedRow : 0;
  RecordStep(
      s,
      [&] {
        if (!ValidateAlarmText(s)) return;
        s.listsChanged = true;  // also when the row limit then refuses the row
        StoreAlarmRow(s);
        FinishSave(s, editor);
        // Unlike the Variable list, a saved alarm leaves no row selected.
        s.alarmPage.highlighted = false;
        s.alarmPage.selectedRow = 0;
      },
      [&] { return SaveStepLabel(editor, edited, static_cast<int>(s.lists.alarms.size())); });
}

void EditSelectedAlarm(Editor& s) {
  if (s.readingPlc || !BeginEdit(AlarmListEditor(s))) return;
  const auto [texto1, texto2] = SplitAlarmText(s.lists.alarms[s.alarmPage.selectedRow - 1]);
  s.alarmPage.entry[0].text = texto1;
  s.alarmPage.entry[1].text = texto2;
}

void ClearAlarmFields(Editor& s) {
  if (!s.readingPlc) ClearEntryFields(s, AlarmListEditor(s));
}

void RemoveSelectedAlarm(Editor& s) { RemoveSelectedRow(s, AlarmListEditor(s), ClearAlarmFields); }

void ClearAlarmList(Editor& s) { ClearWholeList(s, AlarmListEditor(s), ClearAlarmFields); }

void SelectAlarmLine(Editor& s, int line) { SelectRow(AlarmListEditor(s), line); }

void EditAlarmLine(Editor& s, int line) {
  if (SelectRow(AlarmListEditor(s), line)) EditSelectedAlarm(s);
}

}  // namespace zelkor
