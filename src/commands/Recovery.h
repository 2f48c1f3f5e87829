#pragma once

#include "EditHistory.h"
#include "Editor.h"

#include <QDateTime>

#include <memory>
#include <optional>

class QLockFile;

namespace zelkor {

// A copy is written this long after the first change since the last one was written.
inline constexpr int kRecoveryDelayMs = 1500;

// What a recovery copy holds: both lists with their order keys and where they
// came from (selections and the lists-changed flag are not kept).
struct RecoveryCopy {
  ListsSnapshot lists;
  QDateTime written;
};

QByteArray FormatRecoveryCopy(const RecoveryCopy& copy);
// Nothing unless every field is there, whole and of its kind.
[[nodiscard]] std::optional<RecoveryCopy> ParseRecoveryCopy(const QByteArray& bytes);

// Lists worth a copy: changed since they were last opened or saved, and not
// both empty (the same rule as the question before opening another file).
bool NeedsRecoveryCopy(const Editor& state);

// One running editor's recovery copy, a file of its own in `folder` beside the
// lock that says the editor still runs; a copy whose lock is free was left by
// an editor that ended without a clean close.
class RecoveryStore {
 public:
  explicit RecoveryStore(QString folder);  // an empty folder keeps no copy
  ~RecoveryStore();                        // the copy stays: only a clean close removes it
  RecoveryStore(const RecoveryStore&) = delete;
  RecoveryStore& operator=(const RecoveryStore&) = delete;

  // After each command: whether the lists differ from their copy, so that one
  // must be written. Lists that need no copy any more lose it at once.
  [[nodiscard]] bool WriteDue(const Editor& state);
  // Writes the lists as they stand, or removes the copy when they need none.
  // The first failure in a row is reported.
  void Write(const Editor& state, const QDateTime& now);
  // The window closes: nothing is left to recover.
  void Remove();
  // At start-up, one question per copy left behind, newest first: Sim
  // restores it as unsaved changes of its file and this editor keeps it as
  // its own, Não deletes it and goes on to the next, Cancelar leaves the rest
  // for a later start. A damaged copy is set aside, renamed, with a message.
  void Offer(Editor& state);

 private:
  [[nodiscard]] std::optional<QString> Claim();

  QString folder_;
  QString path_;  // this editor's copy; its lock is beside it
  std::unique_ptr<QLockFile> lock_;
  std::optional<ListsSnapshot> kept_;  // what the copy on disk holds
  bool failing_ = false;
};

}  // namespace zelkor
