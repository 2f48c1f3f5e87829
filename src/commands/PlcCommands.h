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
// With "Verificar após gravar" ticked it then reads every word back and
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

// The entry `index` (0 = "Porta # 01") was picked: opens its port, or says why not.
void ChoosePort(Editor& state, int index);
// Tool-tips of the port entries: the device each one stands for now.
void ShowPortDevices(Editor& state);

// "Salvar…" of the monitor: its lines into a plain UTF-8 text file chosen in a Save dialog.
void SaveMonitorLines(Editor& state, const LinkMonitor& monitor);

}  // namespace zelkor
