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

// Commands of later subsystems that the window-level procedures call; bound
// by whoever assembles the editor, so that this library depends on none of them.
struct EditorHooks {
  std::function<void()> saveFile;          // the command of BotãoSalvarArquivo
  std::function<void()> closePort;         // closes the serial port, open or not
  std::function<bool()> writingPlc;        // a "Grava CLP" is waiting for the PLC
  std::function<void()> abandonPlcRead;    // gives a running "Lê CLP" up
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
  // The name the next file dialog offers: the one it returned last, unless a command sets another.
  QString dialogFileName;

  QString title;
  int windowLeft = 0;  // twips
  int windowTop = 0;
  int currentTab = 0;
  std::optional<Rgb> areaBackground;
  QStringList portEntries;
  QStringList portDevices;  // tool-tip of each entry: the device it stands for
  int portIndex = -1;  // -1 = no entry selected
  // "Lê CLP" runs: its end replaces both lists, so nothing may change them
  // or the current file meanwhile.
  bool readingPlc = false;

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
