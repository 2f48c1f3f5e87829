#pragma once

#include "commands/FileDialog.h"

class QWidget;

namespace zelkor {

// The file dialog seam bound to QFileDialog.
class QtFileDialog final : public FileDialogService {
 public:
  explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  FileDialogResult Show(const FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

// "Arquivos (*.zlk) | *.zlk" (description, bar, pattern) as a Qt name filter.
QString ToQtNameFilter(const QString& filter);

}  // namespace zelkor
