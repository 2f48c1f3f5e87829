#pragma once

#include <QString>

namespace zelkor {

struct FileDialogRequest {
  bool save = false;
  QString title;
  QString filter;      // "Arquivos (*.zlk) | *.zlk": description, bar, pattern
  QString presetName;  // the name the dialog offers
  bool overwritePrompt = true;
  QString secondFilter;  // also offered when not empty: "Planilha (*.csv) | *.csv"
  QString folder;        // where the dialog starts when the preset name has none
};

struct FileDialogResult {
  bool cancelled = true;
  QString fullPath;
  QString name;  // without its folder
  bool secondFilterChosen = false;
};

// The open and save dialogs. A name typed without extension is used as typed;
// the Open dialog accepts names of files that do not exist.
class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  virtual FileDialogResult Show(const FileDialogRequest& request) = 0;
};

}  // namespace zelkor
