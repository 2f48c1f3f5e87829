#pragma once

#include "model/Message.h"

#include <QString>

namespace zelkor {

struct VariableEntry {
  QString grupo;
  QString texto;
  QString unidade;
  QString endereco;
};

enum class EntryField { None, Grupo, Endereco };

struct VariableVerdict {
  EntryField field = EntryField::None;  // None: the line is valid
  Message message;                      // what to show when it is not
  // Texto and Unidade as the fields must hold them afterwards, valid or not
  // (an empty one becomes blanks).
  QString texto;
  QString unidade;

  bool Valid() const { return field == EntryField::None; }
};

// The check of a typed variable line, field by field in a fixed order,
// stopping at the first problem.
VariableVerdict CheckVariableEntry(const VariableEntry& entry);

}  // namespace zelkor
