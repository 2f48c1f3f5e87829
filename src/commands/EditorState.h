#pragma once

#include "Colours.h"
#include "EditHistory.h"
#include "Messages.h"
#include "model/ParameterLists.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

namespace zelkor {

struct ButtonState {
  bool enabled = true;
  std::optional<Rgb> background;  // none: the platform's own button colour
  friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

struct FieldState {
  QString text;
  Rgb background = colours::White;
  friend bool operator==(const FieldState&, const FieldState&) = default;
};

// The buttons a selected row enables: Editar, Remover and the two arrows.
struct RowButtons {
  ButtonState edit;
  ButtonState remove;
  ButtonState up;
  ButtonState down;
};

// What both list pages hold besides their entry fields.
struct ListPageState {
  RowButtons rows;
  ButtonState include;       // Incluir linha (the save of the entry line)
  ButtonState clearFields;   // Limpar campos
  ButtonState clearList;     // Apaga lista
  bool editing = false;      // Incluir replaces the selected row instead of appending
  int selectedRow = 0;       // 0: none
  bool highlighted = false;  // the selected row shows amber; a sort takes the colour, not the selection, away
  bool blankLine = false;    // the emptied grid keeps one blank line under its header
  int scrollTo = 0;          // a row the grid is asked to show at its top; taken by the window
};

// "Variáveis": Grupo, Texto, Unidade, Endereço and Editável.
struct VariablePage : ListPageState {
  std::array<FieldState, 4> entry;
  bool editable = false;
  bool grupoMarked = false;  // the group check failed: the Grupo column shows red
};

// "Alarmes": the alarm's two halves.
struct AlarmPage : ListPageState {
  std::array<FieldState, 2> entry;
};

// The file buttons, the reserved memory and the count displays.
struct FilesFrame {
  ButtonState open;
  ButtonState save;
  ButtonState saveAs;
  FieldState firstWord;  // De
  FieldState lastWord;   // até
  FieldState variableCount;
  FieldState alarmCount;
};

// "Comunicação com o CLP", "Lê CLP" and "Compara CLP".
struct LinkFrame {
  ButtonState write;
  ButtonState read;
  ButtonState compare;
  bool verifyWrites = false;  // "Verificar após gravar"
  QStringList portEntries;
  QStringList portDevices;  // tool-tip of each entry: the device it stands for
  int portIndex = -1;       // -1 = no entry selected
};

// The control a command hands the focus to.
enum class Focus {
  None,
  VariableGrupo,
  VariableEndereco,
  AlarmText1,
  VariableUp,
  VariableDown,
  AlarmUp,
  AlarmDown,
};

// Commands of later subsystems that the window-level procedures call; bound
// by whoever assembles the editor, so that this library depends on none of them.
struct EditorHooks {
  std::function<bool()> saveFile;        // "Salvar arquivo": true when the lists are now in a file
  std::function<void()> closePort;       // closes the serial port, open or not
  std::function<bool()> writingPlc;      // a "Grava CLP" is waiting for the PLC
  std::function<void()> abandonPlcRead;  // gives a running read up: "Lê CLP", "Compara CLP", a verification
  std::function<void()> clearVariableFields;
  std::function<void()> clearAlarmFields;
};

// The one window-level state: both lists and every value the window shows or
// the commands share. Widgets mirror it; commands read and write only it.
class EditorState {
 public:
  explicit EditorState(MessageService& messageService) : messages(messageService) {}
  EditorState(const EditorState&) = delete;
  EditorState& operator=(const EditorState&) = delete;

  MessageService& messages;
  EditorHooks hooks;

  Lists lists;
  EditHistory history;
  // Remembered between runs: where the next file dialog starts, the files opened or saved last (newest first).
  QString lastFolder;
  QStringList recentFiles;

  bool listsChanged = false;
  // "Lê CLP" runs: its end replaces both lists, so nothing may change them
  // or the current file meanwhile.
  bool readingPlc = false;

  QString currentPath;     // the file Salvar writes to
  QString lastOpenedPath;  // tells Salvar como whether a file was ever opened
  // The name the next file dialog offers: the one it returned last, unless a command sets another.
  QString dialogFileName;

  QString title;
  int currentTab = 0;
  std::optional<Rgb> areaBackground;
  Focus focus = Focus::None;  // taken by the window when it shows the state

  VariablePage variablePage;
  AlarmPage alarmPage;
  FilesFrame files;
  LinkFrame link;
};

}  // namespace zelkor
