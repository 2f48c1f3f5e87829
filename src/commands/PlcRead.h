#pragma once

#include "Editor.h"
#include "link/PlcLink.h"

#include <functional>
#include <vector>

// What "Lê CLP" and "Compara CLP" share: reading both lists out of the PLC.
namespace zelkor {

// What a read has brought so far; nothing changes until it is all there.
struct ReadBack {
  int variables = 0;
  int alarms = 0;
  Lists lists;                              // decoded
  std::vector<QByteArray> variableRecords;  // as the PLC holds them, 14 bytes each
  std::vector<QByteArray> alarmRecords;     // 16 bytes each
  Message refusal;                          // why a record stopped the read
};

// Takes one answered read: the header announces the records, each record
// decodes or stops the read with the reason kept in `read`.
bool TakeReadAnswer(ReadBack& read, PlcLink& link, int index, const QList<quint16>& words);

// A link error in the link's own words, under the title the technician knows it by; for a write that lost its
// port, `inPlc` says what the PLC got ("nada foi gravado"). A port that went away shows closed.
void ShowLinkFailure(Editor& state, const TransferOutcome& outcome, const QString& inPlc = {});

// The port went away: no entry in the port box, and Grava, Lê and Compara CLP disabled until one is picked, as at
// start-up.
void ShowPortClosed(Editor& state);

// How a PLC command ended, for whoever waits on it without a window. Failed:
// its message said why (or it was given up); Different: a comparison found
// differences; Warned: a write stopped at the warnings about the lists.
enum class PlcResult { Done, Failed, Different, Warned };
using PlcDone = std::function<void(PlcResult)>;
// Tells `done`, when there is one.
void Report(const PlcDone& done, PlcResult result);

// Reads the header and every record; `then` gets them once all have come and
// decoded. Any fault is shown, ends the read and is reported to `done`; with
// `lockLists` the lists and the current file stay locked until it ends.
void StartListRead(Editor& state, bool lockLists, std::function<void(const ReadBack&)> then, PlcDone done);

// Both lists become what the PLC holds, as an open does: no current file,
// the window named after the port.
void AdoptPlcLists(Editor& state, const ReadBack& read);

}  // namespace zelkor
