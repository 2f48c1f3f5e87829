#pragma once

#include "Colours.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What the window shows of its pages and frames, each control's state a member; the editor (Editor.h) holds them.
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

}  // namespace zelkor
