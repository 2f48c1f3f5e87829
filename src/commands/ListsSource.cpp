#include "ListsSource.h"

#include "model/Ports.h"

#include <QFileInfo>

namespace zelkor {

QString SheetSource(const ListsSource& source) {
  switch (source.kind) {
    case ListsSource::Kind::File:
      return QFileInfo(source.file).fileName();
    case ListsSource::Kind::Plc:
      return QStringLiteral("CLP (") + PortEntryName(source.port) + u')';
    case ListsSource::Kind::ImportedSheet:
      return source.file + QStringLiteral(" (importada)");
    case ListsSource::Kind::None:
      break;
  }
  return QStringLiteral("(listas sem arquivo)");
}

QString WindowTitle(const ListsSource& source) {
  return source.kind == ListsSource::Kind::None ? kWindowTitle
                                                : kWindowTitle + QStringLiteral(" - ") + SheetSource(source);
}

}  // namespace zelkor
