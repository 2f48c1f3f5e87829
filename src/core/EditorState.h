#pragma once

#include "Colours.h"
#include "Messages.h"
#include "ParameterLists.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>

namespace zelkor {

struct ButtonState {
  bool enabled = true;
  std::optional<Rgb> background;  // none: the platform's own button colour
};

struct FieldState {
  QString text;
  Rgb background = colours::White;
};

// A transfer to or from the PLC as the link frame shows it while it runs.
struct TransferProgress {
  bool active = false;
  int done = 0;   // frames answered
  int total = 0;  // frames known so far (a read learns the rest from the header)
  QString text;   // "Gravando: quadro 37 de 511 — faltam 14 s"
};

// Commands of later subsystems that the window-level procedures call; bound
// by whoever assembles the editor, so that this library depends on none of them.
struct EditorHooks {
  std::function<void()> saveFile;          // the command of BotãoSalvarArquivo
  std::function<void()> closePort;         // closes the serial port, open or not
  std::function<bool()> transferring;      // a "Grava CLP" is waiting for the PLC
  std::function<void()> clearVariableFields;
  std::function<void()> clearAlarmFields;
};

// The one window-level state: both lists and every value the window shows or
// the commands share. Widgets mirror it; commands read and write only it.
class EditorState {
 public:
  explicit EditorState(MessageService& messages);
  EditorState(const EditorState&) = delete;
  EditorState& operator=(const EditorState&) = delete;

  MessageService& messages;
  EditorHooks hooks;

  VariableList variables;
  AlarmList alarms;

  bool failure = false;
  bool listsChanged = false;
  bool variableEditing = false;  // a Save replaces the selected row instead of appending
  bool alarmEditing = false;
  bool variableMoveUp = false;  // direction of the next move, set by the arrow pressed
  bool alarmMoveUp = false;

  QString lastOpenedPath;
  QString currentPath;
  // The next file dialog: its title, filter, kind, and the name it offers
  // (the one it returned last, unless a command sets another).
  QString dialogTitle;
  QString dialogFilter;
  bool dialogSave = false;
  QString dialogFileName;
  QString dialogSecondFilter;      // a second file type the dialog offers, or none
  bool spreadsheetChosen = false;  // the dialog returned a spreadsheet (*.csv) rather than a parameter file

  QString title;
  int windowLeft = 0;  // twips
  int windowTop = 0;
  int currentTab = 0;
  std::optional<Rgb> areaBackground;
  QStringList portEntries;
  QStringList portDevices;  // tool-tip of each entry: the device it stands for
  int portIndex = -1;  // -1 = no entry selected
  TransferProgress progress;

  bool chechEditavel = false;
  QString focus;  // objectName of the control that is to take the focus next

  ButtonState& button(const QString& objectName);
  const ButtonState& button(const QString& objectName) const;
  FieldState& field(const QString& objectName);
  const FieldState& field(const QString& objectName) const;
  const std::map<QString, ButtonState>& buttons() const { return buttons_; }
  const std::map<QString, FieldState>& fields() const { return fields_; }

 private:
  std::map<QString, ButtonState> buttons_;
  std::map<QString, FieldState> fields_;
};

}  // namespace zelkor
