#pragma once

#include "model/Message.h"
#include "model/ParameterLists.h"

#include <QString>

#include <optional>

namespace zelkor {

// The files that hold both lists: the parameter file and the spreadsheet table.
enum class ListsFileKind { Parameters, Csv, Workbook };

// Known by its extension (.csv, .xlsx, any case); a parameter file otherwise.
ListsFileKind ListsFileKindOf(const QString& path);

// What reading a file gave: its lists, or the box that says why not.
struct ListsFileContent {
  std::optional<Lists> lists;
  Message refusal;
};

// The whole file, read and checked before anything changes: what Abrir, a
// file named on the command line and the printed sheet without a window all
// read. A file far too large for its kind is refused unread.
ListsFileContent ReadListsFile(const QString& path, ListsFileKind kind);

// A refusal as one line, for the command line.
QString OneLine(const Message& message);

}  // namespace zelkor
