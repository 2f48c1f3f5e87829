#pragma once

#include "ParameterLists.h"

#include <QStringList>

namespace zelkor {

// What in the lists writing them would make the panel do wrong, one line each, ready for a box and for the printed
// sheet: a Variable on a D word of the image's own block (its first word up to D4499), and the first of the
// Variables that share a PLC word naming them all; in row order. Rows the image cannot hold are left to WriteRefusal.
QStringList CheckListsBeforeWrite(const Lists& lists);

}  // namespace zelkor
