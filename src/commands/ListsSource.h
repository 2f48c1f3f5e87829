#pragma once

#include <QString>

#include <utility>

namespace zelkor {

inline const QString kWindowTitle = QStringLiteral("Zelkor Editor");

// Where the lists came from: nowhere yet, a parameter file (Salvar writes back
// to it), the PLC behind a port, or an imported spreadsheet (Salvar asks for a name).
struct ListsSource {
  enum class Kind { None, File, Plc, ImportedSheet };
  Kind kind = Kind::None;
  QString file;  // File: its path; ImportedSheet: its name
  int port = 0;  // Plc: 1..16

  static ListsSource File(QString path) { return {Kind::File, std::move(path), 0}; }
  static ListsSource Plc(int port) { return {Kind::Plc, {}, port}; }
  static ListsSource ImportedSheet(QString name) { return {Kind::ImportedSheet, std::move(name), 0}; }

  // The parameter file Salvar writes to; empty when the lists are in none.
  QString SavePath() const { return kind == Kind::File ? file : QString(); }
  friend bool operator==(const ListsSource&, const ListsSource&) = default;
};

// "Zelkor Editor - file.zlk", "Zelkor Editor - CLP (Porta # 01)", "Zelkor Editor - lista.csv (importada)".
QString WindowTitle(const ListsSource& source);
// What a printed sheet names as the lists' source: the title's part after the program's name, or
// "(listas sem arquivo)".
QString SheetSource(const ListsSource& source);

}  // namespace zelkor
