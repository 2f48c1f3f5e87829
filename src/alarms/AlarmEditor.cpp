#include "AlarmEditor.h"

#include "core/ControlNames.h"
#include "editing/ListEditing.h"

namespace zelkor {

namespace {
QString Half(const QString& text) { return (text + QString(10, u' ')).left(kAlarmHalf); }
}  // namespace

QString ComposeAlarmText(const QString& texto1, const QString& texto2) { return Half(texto1) + Half(texto2); }

std::pair<QString, QString> SplitAlarmText(const QString& alarmText) {
  return {alarmText.left(kAlarmHalf), alarmText.mid(kAlarmHalf, kAlarmHalf)};
}

void ValidateAlarmText(EditorState& s) {
  s.failure = true;
  Guarded(s.messages, [&] {
    s.field(name::Texto1).background = colours::White;
    s.field(name::Texto2).background = colours::White;
    const QString& texto1 = s.field(name::Texto1).text;  // blanks count: no trimming
    if (texto1.isEmpty() || texto1.size() > kAlarmHalf) {
      s.field(name::Texto1).background = colours::Red;
      s.focus = name::Texto1;
      s.messages.Show({QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"),
                       QStringLiteral("Texto: (1 a 8 caracteres)!"), MessageButtons::Ok, MessageIcon::Exclamation});
      return;
    }
    s.failure = false;
  });
}

void StoreAlarmRow(EditorState& s) {
  Guarded(s.messages, [&] {
    const QString text = ComposeAlarmText(s.field(name::Texto1).text, s.field(name::Texto2).text);
    WriteRow(
        s, AlarmListEditor(s), [&] { s.alarms.append(text); }, [&](int row) { s.alarms.replace(row, text); });
  });
}

void BotaoSalvarAlarme_Click(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    const ListEditor editor = AlarmListEditor(s);
    ValidateAlarmText(s);
    if (s.failure) return;
    s.listsChanged = true;  // also when the row limit then refuses the row
    StoreAlarmRow(s);
    FinishSave(s, editor);
    // Unlike the Variable list, a saved alarm leaves no row selected.
    PaintSelection(editor, colours::White);
    s.alarms.setSelectedRow(0);
  });
}

void BotaoEditarAlarme_Click(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    if (!BeginEdit(s, AlarmListEditor(s))) return;
    const auto [texto1, texto2] = SplitAlarmText(s.alarms.text(s.alarms.selectedRow()));
    s.field(name::Texto1).text = texto1;
    s.field(name::Texto2).text = texto2;
  });
}

void BotaoLimparAlarme_Click(EditorState& s) {
  Guarded(s.messages, [&] { if (!s.readingPlc) ClearEntryFields(s, AlarmListEditor(s)); });
}

void BotaoRemoverAlarme_Click(EditorState& s) {
  Guarded(s.messages, [&] { if (!s.readingPlc) RemoveSelectedRow(s, AlarmListEditor(s), BotaoLimparAlarme_Click); });
}

void BotaoApagaListaAlarmes_Click(EditorState& s) {
  Guarded(s.messages, [&] { if (!s.readingPlc) ClearWholeList(s, AlarmListEditor(s), BotaoLimparAlarme_Click); });
}

void MSFlexGrid2_Click(EditorState& s, int line) {
  Guarded(s.messages, [&] { SelectRow(s, AlarmListEditor(s), line); });
}

void MSFlexGrid2_DblClick(EditorState& s, int line) {
  Guarded(s.messages, [&] { DoubleClickRow(s, AlarmListEditor(s), line, BotaoEditarAlarme_Click); });
}

}  // namespace zelkor
