#include "QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zelkor {

QString ToQtNameFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(u'|');
  if (bar < 0) return filter.trimmed();
  const QString description = filter.left(bar).trimmed();
  const QString pattern = filter.mid(bar + 1).trimmed();
  // Qt takes the patterns from the parentheses; the description already shows them.
  if (description.contains(u'(' + pattern + u')')) return description;
  return description + QStringLiteral(" (") + pattern + u')';
}

FileDialogResult QtFileDialog::Show(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, request.title);
  QStringList filters;
  for (const QString& filter : request.filters) filters << ToQtNameFilter(filter);
  dialog.setNameFilters(filters);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Open accepts names of files that do not exist; no extension is added.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  // A platform's own dialog may refuse names of files that do not exist.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  if (!request.presetName.isEmpty()) {
    const QFileInfo preset(request.presetName);
    if (preset.isAbsolute()) dialog.setDirectory(preset.absolutePath());
    dialog.selectFile(preset.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  return {false, path, QFileInfo(path).fileName(), static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

}  // namespace zelkor
