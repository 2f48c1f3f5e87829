#pragma once

class QCoreApplication;

namespace zelkor {

// The program speaks Portuguese whatever the desktop's language, in Qt's own
// dialogs and standard buttons too ("Sim", "Não", "Cancelar"). False when
// Qt's translation is not installed; the program then runs in Qt's English.
bool InstallPortugueseTranslation(QCoreApplication& app);

}  // namespace zelkor
