#include "VariableEditor.h"

#include "editing/ListEditing.h"
#include "VariableValidation.h"
#include "core/ControlNames.h"
#include "core/Numbers.h"
#include "plclink/PlcImage.h"

#include <array>
#include <stdexcept>

namespace zelkor {

namespace {

QString FieldText(const EditorState& s, int index) { return s.field(name::Campo(index)).text; }

VariableRow RowFromFields(const EditorState& s) {
  return {FieldText(s, 0), FieldText(s, 1), FieldText(s, 2), FieldText(s, 3), s.chechEditavel ? kSim : kNao};
}

}  // namespace

void PaintGrupoColumn(EditorState& s, Rgb colour) {
  s.variables.grid().setBackground(0, varcol::Grupo, s.variables.count(), varcol::Grupo, colour);
}

void ValidateVariableEntry(EditorState& s) {
  s.failure = true;
  Guarded(s.messages, [&] {
    for (int i = 0; i < 4; ++i) s.field(name::Campo(i)).background = colours::White;
    const VariableVerdict verdict = CheckVariableEntry({FieldText(s, 0), FieldText(s, 1), FieldText(s, 2), FieldText(s, 3)});
    s.field(name::Campo(1)).text = verdict.texto;
    s.field(name::Campo(2)).text = verdict.unidade;
    if (!verdict.valid()) {
      const QString failed = name::Campo(verdict.field == EntryField::Grupo ? 0 : 3);
      s.field(failed).background = colours::Red;
      s.focus = failed;
      s.messages.Show(verdict.message);
      return;
    }
    s.failure = false;
  });
}

void StoreVariableRow(EditorState& s) {
  Guarded(s.messages, [&] {
    VariableList& list = s.variables;
    const VariableRow row = RowFromFields(s);
    const int written = WriteRow(
        s, VariableListEditor(s), [&] { list.append(row); }, [&](int r) { list.replace(r, row); });
    if (written == 0) return;
    list.grid().setControlWidth(list.grid().lineCount() >= 20 ? kVariableGridWideWidth : kVariableGridWidth);
  });
}

void CheckGroupSequence(EditorState& s) {
  s.failure = false;
  Guarded(s.messages, [&] {
    std::array<bool, 256> present{};
    long long highest = 0;
    const VariableList& list = s.variables;
    for (int r = 1; r <= list.count(); ++r) {
      const QString cell = list.grid().text(r, varcol::Grupo);
      const auto group = ReadWholeNumber(cell);
      if (!group || *group < 0 || *group > 255) {
        throw std::runtime_error(
            QStringLiteral("O Grupo \"%1\" da linha %2 não é um número de 0 a 255.").arg(cell).arg(r).toStdString());
      }
      present[static_cast<size_t>(*group)] = true;
      highest = std::max(highest, *group);
    }
    if (list.count() < 1) return;
    for (long long g = 0; g <= highest; ++g) {
      if (present[static_cast<size_t>(g)]) continue;
      s.failure = true;
      s.messages.Show({JoinLines({QStringLiteral("Sequência de numeração do Grupo está quebrada!"),
                                  QStringLiteral("Deve iniciar com zero e seguir sequência de 1 em 1!")}),
                       QStringLiteral("Sequência de numeração!"), MessageButtons::Ok, MessageIcon::Exclamation});
      PaintGrupoColumn(s, colours::Red);
      return;
    }
  });
}

void BotaoSalvar_Click(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    const ListEditor editor = VariableListEditor(s);
    // Also takes away a red mark of the group check when the line then fails.
    if (s.variables.count() > 0) PaintGrupoColumn(s, colours::Grey);
    ValidateVariableEntry(s);
    if (s.failure) return;
    s.listsChanged = true;  // also when the row limit then refuses the row
    StoreVariableRow(s);
    SortVariableList(s.variables);
    FinishSave(s, editor);
  });
}

void BotaoEditar_Click(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    if (!BeginEdit(s, VariableListEditor(s))) return;
    const VariableRow values = s.variables.row(s.variables.selectedRow());
    s.field(name::Campo(0)).text = values.grupo;
    s.field(name::Campo(1)).text = values.texto;
    s.field(name::Campo(2)).text = values.unidade;
    s.field(name::Campo(3)).text = values.endereco;
    s.chechEditavel = values.editavel == kSim;
  });
}

void BotaoLimpar_Click(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    ClearEntryFields(s, VariableListEditor(s));
    s.chechEditavel = false;
    if (s.variables.count() > 0) PaintGrupoColumn(s, colours::Grey);
  });
}

void BotaoRemover_Click(EditorState& s) {
  Guarded(s.messages, [&] { if (!s.readingPlc) RemoveSelectedRow(s, VariableListEditor(s), BotaoLimpar_Click); });
}

void BotaoApagaListaVariaveis_Click(EditorState& s) {
  Guarded(s.messages, [&] { if (!s.readingPlc) ClearWholeList(s, VariableListEditor(s), BotaoLimpar_Click); });
}

void MSFlexGrid1_Click(EditorState& s, int line) {
  Guarded(s.messages, [&] { SelectRow(s, VariableListEditor(s), line); });
}

void MSFlexGrid1_DblClick(EditorState& s, int line) {
  Guarded(s.messages, [&] { DoubleClickRow(s, VariableListEditor(s), line, BotaoEditar_Click); });
}

}  // namespace zelkor
