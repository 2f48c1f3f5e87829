#pragma once

#include "core/EditorState.h"
#include "paramfile/FileDialog.h"
#include "plclink/LinkMonitor.h"
#include "plclink/PlcLink.h"

#include <QByteArray>
#include <QList>

namespace zelkor {

// The frames of one "Grava CLP": the image header, then one frame per
// Variable row and per Alarm row, in list order, each at its word address.
// Throws ImageError (naming the row) for a row that has no valid record.
QList<QByteArray> TransferFrames(const VariableList& variables, const AlarmList& alarms);

// Writes both lists as they stand at the click into the PLC; returns at once.
void BotaoGravaCLP_Click(EditorState& state, PlcLink& link);

// Reads both lists back from the PLC's image and, once every record has come
// and decoded, replaces the lists as opening a file does. A Yes to the save
// question runs the save command, hence the file dialogs.
void BotaoLeCLP_Click(EditorState& state, PlcLink& link, FileDialogService& dialogs);

// "Salvar…" of the monitor: its lines into a plain UTF-8 text file chosen in a Save dialog.
void SaveMonitorLines(EditorState& state, const LinkMonitor& monitor, FileDialogService& dialogs);

}  // namespace zelkor
