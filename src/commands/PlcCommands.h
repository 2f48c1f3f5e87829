#pragma once

#include "Editor.h"
#include "FileDialog.h"
#include "PlcRead.h"
#include "link/LinkFrame.h"
#include "link/LinkMonitor.h"
#include "link/PlcLink.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace zelkor {

// The writes of one "Grava CLP": the image header, then one per Variable row
// and per Alarm row, in list order, each at its word address. Throws
// ImageError (naming the row) for a row that has no valid record.
std::vector<FrameRequest> ImageWrites(const Lists& lists);

// Writes both lists as they stand at the click into the PLC; returns at once.
// Lists the panel would misread (CheckListsBeforeWrite) are sent only after "Gravar assim mesmo"; Cancelar sends
// nothing and `done` hears Warned. With "Verificar após gravar" ticked it then reads every word back and
// compares it with what was sent. `done` hears how it ended.
void WriteToPlc(Editor& state, const PlcDone& done = {});

// Reads both lists back from the PLC's image and, once every record has come
// and decoded, replaces the lists as opening a file does. A Yes to the save
// question runs the save command, hence the file dialogs. While it runs the
// lists and the current file are locked.
void ReadFromPlc(Editor& state, const PlcDone& done = {});

// Says that a transfer runs, and returns true, when one does; `what` is what
// has to wait for its end.
bool RefuseWhileTransferring(Editor& state, const QString& what);

// "Localizar CLP": tries every port entry in turn with a read of the image header, and chooses the first a PLC
// answers on as a pick would; when none does, one box says why for each port, and a port that was open stays
// chosen. Returns at once; `done` hears how it ended (Failed, without a box, when it was given up).
void FindPlc(Editor& state, const PlcDone& done = {});
// Gives a running "Localizar CLP" up; any other transfer goes on.
void CancelPlcSearch(Editor& state);

// "Verificar listas": what "Grava CLP" would warn about, or refuse, in the lists as they stand; or that there is
// nothing.
void CheckLists(Editor& state);

// The entry `index` (0 = "Porta # 01") was picked: opens its port, or says why not.
void ChoosePort(Editor& state, int index);
// Tool-tips of the port entries: the device each one stands for now.
void ShowPortDevices(Editor& state);

// "Salvar…" of the monitor: its lines into a plain UTF-8 text file chosen in a Save dialog.
void SaveMonitorLines(Editor& state, const LinkMonitor& monitor);

}  // namespace zelkor
