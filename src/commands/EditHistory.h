#pragma once

#include "ListsSource.h"
#include "model/ParameterLists.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>
#include <vector>

namespace zelkor {

// What a step of the history puts back: both lists, their selections, and
// what names the file they belong to. Texts are Qt's shared strings, so a
// snapshot holds references to rows, not copies of them.
struct ListsSnapshot {
  Lists lists;
  int selectedVariable = 0;
  int selectedAlarm = 0;
  bool listsChanged = false;
  ListsSource source;
  QString lastOpenedPath;
  bool saveEnabled = false;

  bool SameLists(const ListsSnapshot& other) const { return lists == other.lists; }
  bool SameFile(const ListsSnapshot& other) const {
    return source == other.source && lastOpenedPath == other.lastOpenedPath && saveEnabled == other.saveEnabled;
  }
};

// The steps that can be undone and redone, each with the state before and after it.
class EditHistory {
 public:
  static constexpr size_t kMaxSteps = 200;

  // A fresh start: nothing to undo, and this state is what `file` holds.
  void Reset(const QString& file = {});
  // A step just done; the steps that were undone before it are gone.
  void Push(QString label, ListsSnapshot before, ListsSnapshot after);

  bool CanUndo() const { return applied_ > 0; }
  bool CanRedo() const { return applied_ < steps_.size(); }
  // What undoing or redoing would do, "remover a linha 3 de Variáveis"; empty when nothing.
  QString UndoLabel() const { return CanUndo() ? steps_[applied_ - 1].label : QString(); }
  QString RedoLabel() const { return CanRedo() ? steps_[applied_].label : QString(); }
  // Steps back or forward; the state to restore, and the step's two states to
  // tell what it changed. Only when CanUndo / CanRedo.
  struct Move {
    const ListsSnapshot& restore;
    const ListsSnapshot& other;  // the state the move leaves
  };
  Move Undo();
  Move Redo();

  // The lists as they are now are what `file` holds (just saved or opened):
  // what it held before is gone, so other states are no longer in it.
  void MarkSaved(const QString& file = {});
  // The lists as they are now are in some file: nothing would be lost.
  bool AtSaved() const;

 private:
  struct Step {
    QString label;
    std::shared_ptr<const ListsSnapshot> before;
    std::shared_ptr<const ListsSnapshot> after;
  };
  std::deque<Step> steps_;
  size_t applied_ = 0;  // steps_[0, applied_) are done
  // The states, by how many steps are done, known to equal a file. Several,
  // since undoing an open goes back to lists another file holds.
  struct InFile {
    size_t applied;
    QString file;
  };
  std::vector<InFile> saved_{{0, {}}};
};

}  // namespace zelkor
