#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

struct FileDialogRequest {
  bool save = false;
  QString title;
  // The file types offered, the first one chosen: "Arquivos (*.zlk) | *.zlk",
  // each a description, a bar and a pattern.
  QStringList filters;
  QString presetName;  // the name the dialog offers
  bool overwritePrompt = true;
  QString folder;  // where the dialog starts when the preset name has none
};

struct FileDialogResult {
  bool cancelled = true;
  QString fullPath;
  QString name;    // without its folder
  int filter = 0;  // the type chosen, as an index into the request's filters
};

// The open and save dialogs. A name typed without extension is used as typed;
// the Open dialog accepts names of files that do not exist.
class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  virtual FileDialogResult Show(const FileDialogRequest& request) = 0;
};

}  // namespace zelkor
