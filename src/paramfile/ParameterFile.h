#pragma once

#include "core/EditorState.h"

#include <QByteArray>
#include <QList>
#include <QSaveFile>

#include <optional>

namespace zelkor {

inline constexpr int kLineLength = 21;
// A parameter file holds a few hundred lines at most; far larger files are
// refused before the lists are touched, so the window never stalls on one.
inline constexpr int kMaxFileLines = 100000;
inline constexpr qint64 kMaxFileBytes = qint64{64} * 1024 * 1024;

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

// Writes the lists to `path` through a file that replaces the old one only
// when complete. Nothing, or what to tell the technician: the system's
// description of the error.
[[nodiscard]] std::optional<QString> WriteParameterFile(const QString& path, const VariableList& variables,
                                                        const AlarmList& alarms);

enum class ReadOutcome {
  Read,
  Unreadable,  // reported; both lists are left empty
  Refused,     // far too large to be a parameter file: reported, the lists kept
};
// Replaces both lists by the file at `path` and shows the counts.
[[nodiscard]] ReadOutcome ReadParameterFile(EditorState& state, const QString& path);

// Writes all bytes and commits; on any failure the old file stays as it was
// and the system's description of the error comes back.
[[nodiscard]] std::optional<QString> WriteAtomically(QSaveFile& file, const QByteArray& bytes);

}  // namespace zelkor
