#include "EditorLifecycle.h"

namespace zelkor {

void ShowCount(FieldState& display, int count) {
  display.text = QString::number(count);
  display.background = count >= 1 ? colours::Amber : colours::White;
}

namespace {

void RunHook(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

void ShowVariableCount(EditorState& state) {
  ShowCount(state.files.variableCount, static_cast<int>(state.lists.variables.size()));
}

void ShowAlarmCount(EditorState& state) {
  ShowCount(state.files.alarmCount, static_cast<int>(state.lists.alarms.size()));
}

bool BothListsEmpty(const EditorState& state) { return state.lists.variables.empty() && state.lists.alarms.empty(); }

void EmptyForLoad(ListPageState& page, bool hadRows) {
  // A grid with rows goes back to its header line alone, its colours plain.
  if (hadRows) {
    page.blankLine = false;
    page.highlighted = false;
  }
  page.selectedRow = 0;
}

void StartUp(EditorState& state) {
  state.title = kWindowTitle;
  state.currentTab = 0;
  state.areaBackground = colours::Background;
  // A new state holds no file paths and no selected rows already.
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

void ClearAllLists(EditorState& state) {
  EmptyForLoad(state.variablePage, !state.lists.variables.empty());
  EmptyForLoad(state.alarmPage, !state.lists.alarms.empty());
  state.variablePage.grupoMarked = false;
  state.lists = {};
  ShowVariableCount(state);
  ShowAlarmCount(state);
  RunHook(state.hooks.clearVariableFields);
  RunHook(state.hooks.clearAlarmFields);
}

void ReplaceLists(EditorState& state, Lists lists) {
  ClearAllLists(state);
  KeyAsLoaded(lists.variables);
  state.lists = std::move(lists);
  ShowVariableCount(state);
  ShowAlarmCount(state);
}

void AdoptListsWithoutFile(EditorState& state, const QString& title) {
  state.title = title;
  state.currentPath.clear();
  state.lastOpenedPath.clear();
  state.files.save.enabled = false;
  state.listsChanged = true;
}

CloseAnswer CloseRequest(EditorState& state) {
  // Leaving now would leave the PLC with a header that announces rows it never
  // got: the transfer takes a moment at most, so the close waits for it.
  if (state.hooks.writingPlc && state.hooks.writingPlc()) {
    state.messages.Show({QStringLiteral("Aguarde o fim da transmissão ao CLP antes de fechar o programa."),
                         QStringLiteral("Transmissão em andamento!"), MessageButtons::Ok, MessageIcon::Information});
    return CloseAnswer::Stay;
  }
  // A read (Lê CLP, Compara CLP, a verification) has changed nothing yet: it is given up before the question,
  // so that nothing it would show opens over it, and the lists are what they were.
  RunHook(state.hooks.abandonPlcRead);
  // Errors here must never keep the program from ending (a failed save aside,
  // below): each step is caught on its own and the next one runs.
  if (state.listsChanged) {
    Answer answer = Answer::No;
    try {
      answer =
          state.messages.Show({QStringLiteral("Você quer salvar o conteúdo das listas antes de sair?"),
                               QStringLiteral("Salvar dados atuais?"), MessageButtons::YesNoCancel, MessageIcon::None});
    } catch (...) {
    }
    if (answer == Answer::Cancel) return CloseAnswer::Stay;
    // Yes closes only once the lists are in a file; a save that did not
    // happen (an error included, reported) keeps the window and the lists.
    if (answer == Answer::Yes) {
      bool saved = false;
      if (!Guarded(state.messages, [&] { saved = state.hooks.saveFile && state.hooks.saveFile(); }) || !saved) {
        return CloseAnswer::Stay;
      }
    }
  }
  try {
    RunHook(state.hooks.closePort);
  } catch (...) {
  }
  return CloseAnswer::Close;
}

}  // namespace zelkor
