#pragma once

#include "model/ParameterLists.h"

#include <QString>

#include <QByteArray>
#include <QList>
#include <QSaveFile>

#include <optional>
#include <vector>

namespace zelkor {

inline constexpr int kLineLength = 21;
// A parameter file holds a few hundred lines at most; far larger files are
// refused before the lists are touched, so the window never stalls on one.
inline constexpr int kMaxFileLines = 100000;
inline constexpr qint64 kMaxFileBytes = qint64{64} * 1024 * 1024;

// The whole file: one 21-character Windows-1252 line per row, variables
// first, each line ended by CR LF.
QByteArray FormatParameterFile(const Lists& lists);

// Lines end at CR LF, at a lone CR, and at a lone LF, so that a file edited
// on Linux reads as it looks. A last line without an end still counts.
QList<QByteArray> SplitParameterLines(const QByteArray& bytes);
// How many lines SplitParameterLines would make, without making them.
qsizetype CountParameterLines(const QByteArray& bytes);

// The rows of a parameter file, in the file's order. Column 21 exactly "V"
// makes a Variable row, anything else an Alarm row. No limit, no checks. Each
// field is what its columns hold, without the blanks the writer pads it with:
// leading blanks place a text on the panel's line. Editável is Sim when it
// starts with "S".
Lists ParseParameterLines(const QList<QByteArray>& lines);

// Writes the lists to `path` through a file that replaces the old one only
// when complete. Nothing, or what to tell the technician: the system's
// description of the error.
[[nodiscard]] std::optional<QString> WriteParameterFile(const QString& path, const Lists& lists);

// "Não foi possível ler o arquivo …": what a failed read or write of `path` tells the technician.
QString DescribeFileError(const QString& action, const QString& path, const QString& systemError);

// Writes all bytes and commits; on any failure the old file stays as it was
// and the system's description of the error comes back.
[[nodiscard]] std::optional<QString> WriteAtomically(QSaveFile& file, const QByteArray& bytes);

}  // namespace zelkor
