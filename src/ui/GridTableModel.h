#pragma once

#include "core/EditorState.h"

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

inline constexpr int kVariableGridWidth = 3975;      // twips
inline constexpr int kVariableGridWideWidth = 4220;  // room for the scroll bar

// A column of a list's grid: its header, width in twips and alignment.
struct GridColumn {
  QString header;
  int width;
  Qt::Alignment alignment;
};

// What a list's grid shows, made from the lists and the list's page: each
// row's texts, the selection's amber, the red of a failed group check, and the
// blank line an emptied grid keeps. Refresh() shows the state anew.
class ListTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  ListTableModel(EditorState& state, bool variables, QObject* parent = nullptr);

  void Refresh();
  const std::vector<GridColumn>& Columns() const;
  // From 19 rows on the Variable grid shows a scroll bar and is made wider for it.
  int ControlWidth() const;

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

  EditorState& state_;
  bool variables_;
  std::vector<Line> lines_;
  Rgb fixedHeader_;
};

}  // namespace zelkor
