#pragma once

#include "commands/Editor.h"

#include <QAbstractTableModel>

#include <vector>

namespace zelkor {

namespace varcol {
inline constexpr int Grupo = 0;
inline constexpr int Texto = 1;
inline constexpr int Unidade = 2;
inline constexpr int Endereco = 3;
inline constexpr int Editavel = 4;
inline constexpr int Count = 5;
}  // namespace varcol

// A column of a list's grid: its header, its widest cell's text (the view sizes the column for both in its fonts)
// and alignment.
struct GridColumn {
  QString header;
  QString typical;
  Qt::Alignment alignment;
};

// What a list's grid shows, made from the lists and the list's page: each
// row's texts, the selection's amber, the red of a failed group check, and the
// blank line an emptied grid keeps. Refresh() shows the state anew.
class ListTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  ListTableModel(Editor& state, bool variables, QObject* parent = nullptr);

  void Refresh();
  const std::vector<GridColumn>& Columns() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 Q_SIGNALS:
  // A command asked for this row (1 = the first) at the grid's top.
  void RowRequested(int row);

 private:
  struct Cell {
    QString text;
    Rgb background;
    friend bool operator==(const Cell&, const Cell&) = default;
  };
  using Line = std::vector<Cell>;
  std::vector<Line> Derive() const;
  Rgb FixedHeaderBackground() const;

  Editor& state_;
  bool variables_;
  std::vector<Line> lines_;
  Rgb fixedHeader_;
};

}  // namespace zelkor
