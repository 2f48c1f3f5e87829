#include "EditorLifecycle.h"

#include "AlarmEditor.h"
#include "FileCommands.h"
#include "VariableEditor.h"

namespace zelkor {

void ShowCount(FieldState& display, int count) {
  display.text = QString::number(count);
  display.background = count >= 1 ? colours::Amber : colours::White;
}

void ShowVariableCount(Editor& state) {
  ShowCount(state.files.variableCount, static_cast<int>(state.lists.variables.size()));
}

void ShowAlarmCount(Editor& state) { ShowCount(state.files.alarmCount, static_cast<int>(state.lists.alarms.size())); }

bool BothListsEmpty(const Editor& state) { return state.lists.variables.empty() && state.lists.alarms.empty(); }

void EmptyForLoad(ListPageState& page, bool hadRows) {
  // A grid with rows goes back to its header line alone, its colours plain.
  if (hadRows) {
    page.blankLine = false;
    page.highlighted = false;
  }
  page.selectedRow = 0;
}

void StartUp(Editor& state) {
  state.currentTab = 0;
  state.areaBackground = colours::Background;
  // A new editor names no source and selects no row already.
  ShowVariableCount(state);
  ShowAlarmCount(state);
  state.link.portEntries.clear();
  for (int port = 1; port <= kPortEntries; ++port) state.link.portEntries << PortEntryName(port);
  state.link.portIndex = -1;

  for (ButtonState* b :
       {&state.files.save, &state.link.write, &state.link.read, &state.link.compare, &state.variablePage.rows.up,
        &state.variablePage.rows.down, &state.alarmPage.rows.up, &state.alarmPage.rows.down}) {
    b->enabled = false;
  }
  for (ButtonState* b : {&state.variablePage.rows.edit, &state.variablePage.rows.remove, &state.alarmPage.rows.edit,
                         &state.alarmPage.rows.remove}) {
    *b = {false, colours::Grey};
  }
}

void ClearAllLists(Editor& state) {
  EmptyForLoad(state.variablePage, !state.lists.variables.empty());
  EmptyForLoad(state.alarmPage, !state.lists.alarms.empty());
  state.variablePage.grupoMarked = false;
  state.lists = {};
  ShowVariableCount(state);
  ShowAlarmCount(state);
  ClearVariableFields(state);
  ClearAlarmFields(state);
}

void ReplaceLists(Editor& state, Lists lists) {
  ClearAllLists(state);
  KeyAsLoaded(lists.variables);
  state.lists = std::move(lists);
  ShowVariableCount(state);
  ShowAlarmCount(state);
}

void AdoptListsWithoutFile(Editor& state, ListsSource source) {
  state.source = std::move(source);
  state.lastOpenedPath.clear();
  state.files.save.enabled = false;
  state.listsChanged = true;
}

CloseAnswer CloseRequest(Editor& state) {
  // Leaving now would leave the PLC with a header that announces rows it never
  // got: the transfer takes a moment at most, so the close waits for it.
  if (state.plcLink.RunningKind() == TransferKind::Write) {
    state.messages.Show({QStringLiteral("Aguarde o fim da transmissão ao CLP antes de fechar o programa."),
                         MessageTitle::TransmissionRunning, MessageButtons::Ok, MessageIcon::Information});
    return CloseAnswer::Stay;
  }
  // A read (Lê CLP, Compara CLP, a verification) has changed nothing yet: it is given up before the question,
  // so that nothing it would show opens over it, and the lists are what they were.
  state.plcLink.AbandonTransfer();
  // Errors here must never keep the program from ending (a failed save aside,
  // below): each step is caught on its own and the next one runs.
  if (state.listsChanged) {
    Answer answer = Answer::No;
    try {
      answer = state.messages.Show({QStringLiteral("Você quer salvar o conteúdo das listas antes de sair?"),
                                    MessageTitle::SaveCurrentData, MessageButtons::YesNoCancel, MessageIcon::None});
    } catch (...) {
    }
    if (answer == Answer::Cancel) return CloseAnswer::Stay;
    // Yes closes only once the lists are in a file; a save that did not
    // happen (an error included, reported) keeps the window and the lists.
    if (answer == Answer::Yes) {
      bool saved = false;
      if (!Guarded(state.messages, [&] { saved = SaveFile(state); }) || !saved) {
        return CloseAnswer::Stay;
      }
    }
  }
  try {
    state.plcLink.ClosePort();
  } catch (...) {
  }
  return CloseAnswer::Close;
}

}  // namespace zelkor
