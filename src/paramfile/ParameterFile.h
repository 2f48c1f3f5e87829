#pragma once

#include "core/EditorState.h"

#include <QByteArray>
#include <QList>
#include <QSaveFile>

namespace zelkor {

inline constexpr int kLineLength = 21;
// A parameter file holds a few hundred lines at most; far larger files are
// refused before the lists are touched, so the window never stalls on one.
inline constexpr int kMaxFileLines = 100000;
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// The whole file: one 21-character Windows-1252 line per row, variables
// first, each line ended by CR LF.
QByteArray FormatParameterFile(const VariableList& variables, const AlarmList& alarms);

// Lines end at CR LF, at a lone CR, and at a lone LF, so that a file edited
// on Linux reads as it looks. A last line without an end still counts.
QList<QByteArray> SplitParameterLines(const QByteArray& bytes);
// How many lines SplitParameterLines would make, without making them.
qsizetype CountParameterLines(const QByteArray& bytes);

// Appends the rows of the lines to the lists: column 21 exactly "V" makes a
// Variable row, anything else an Alarm row. No limit, no checks.
void LoadParameterLines(const QList<QByteArray>& lines, VariableList& variables, AlarmList& alarms);

// Blanks only: tabs, non-breaking blanks and other bytes are text to keep.
QString TrimBlanks(const QString& text);

// Writes the lists to the current file path through a file that replaces the
// old one only when complete. Errors: the system's description, title "Marbeto".
void WriteParameterFile(EditorState& state);
// Replaces both lists by the file at the current file path and shows the counts.
// A file far too large to be a parameter file is refused with the lists kept,
// and the failure flag set.
void ReadParameterFile(EditorState& state);

// Writes all bytes and commits; on any failure the old file stays as it was.
bool WriteAtomically(QSaveFile& file, const QByteArray& bytes, QString* error);

}  // namespace zelkor
