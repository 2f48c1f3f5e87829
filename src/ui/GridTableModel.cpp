#include "GridTableModel.h"

#include "commands/ListEditing.h"

#include <QColor>

namespace zelkor {

namespace {
QColor ToQColor(Rgb c) { return {c.r, c.g, c.b}; }
}  // namespace

ListTableModel::ListTableModel(Editor& state, bool variables, QObject* parent)
    : QAbstractTableModel(parent),
      state_(state),
      variables_(variables),
      lines_(Derive()),
      fixedHeader_(FixedHeaderBackground()) {}

const std::vector<GridColumn>& ListTableModel::Columns() const {
  static const std::vector<GridColumn> kVariables{
      {QStringLiteral("Grupo"), QStringLiteral("0"), Qt::AlignCenter},
      {QStringLiteral("   Texto"), QStringLiteral("WWWWWWWW"), Qt::AlignLeft | Qt::AlignVCenter},
      {QStringLiteral("Unidade"), QStringLiteral("WWW"), Qt::AlignLeft | Qt::AlignVCenter},
      {QStringLiteral("Endereço"), QStringLiteral("D1000"), Qt::AlignLeft | Qt::AlignVCenter},
      {QStringLiteral("Editável"), kNao, Qt::AlignCenter}};
  static const std::vector<GridColumn> kAlarms{{QStringLiteral("Texto editado Alarmes (8X8)"),
                                                QStringLiteral("ALARME 1ALARME 2"), Qt::AlignLeft | Qt::AlignVCenter}};
  return variables_ ? kVariables : kAlarms;
}

Rgb ListTableModel::FixedHeaderBackground() const {
  return state_.variablePage.grupoMarked ? colours::Red : colours::Grey;
}

std::vector<ListTableModel::Line> ListTableModel::Derive() const {
  const ListPageState& page = variables_ ? static_cast<const ListPageState&>(state_.variablePage) : state_.alarmPage;
  const int rows =
      static_cast<int>(variables_ ? state_.lists.variables.size() : static_cast<size_t>(state_.lists.alarms.size()));
  const Rgb fixed = FixedHeaderBackground();
  std::vector<Line> lines;
  for (int r = 1; r <= GridLines(page, rows); ++r) {
    const Rgb plain = page.highlighted && page.selectedRow == r ? colours::Amber : colours::White;
    if (!variables_) {
      lines.push_back({{r <= rows ? state_.lists.alarms[r - 1] : QString(), plain}});
    } else if (r > rows) {
      lines.push_back({{{}, colours::Grey}, {{}, plain}, {{}, plain}, {{}, plain}, {{}, plain}});
    } else {
      const VariableRow& v = state_.lists.variables[static_cast<size_t>(r - 1)];
      lines.push_back({{v.grupo, fixed},
                       {v.texto, plain},
                       {v.unidade, plain},
                       {v.endereco, plain},
                       {EditableText(v.editable), plain}});
    }
  }
  return lines;
}

void ListTableModel::Refresh() {
  std::vector<Line> lines = Derive();
  if (lines.size() != lines_.size()) {
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
  } else if (lines != lines_) {
    lines_ = std::move(lines);
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  if (const Rgb header = FixedHeaderBackground(); variables_ && header != fixedHeader_) {
    fixedHeader_ = header;
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, 0);
  }
  ListPageState& page = variables_ ? static_cast<ListPageState&>(state_.variablePage) : state_.alarmPage;
  if (const int row = std::exchange(page.scrollTo, 0); row > 0) Q_EMIT RowRequested(row);
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Columns().size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Cell& cell = lines_[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())];
  switch (role) {
    case Qt::DisplayRole:
      return cell.text;
    case Qt::BackgroundRole:
      return ToQColor(cell.background);
    case Qt::TextAlignmentRole:
      return static_cast<int>(Columns()[static_cast<size_t>(index.column())].alignment);
    default:
      return {};
  }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // The line headers are not shown, but a screen reader names each line by them.
  if (orientation == Qt::Vertical && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
    return QStringLiteral("Linha %1").arg(section + 1);
  }
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const GridColumn& column = Columns()[static_cast<size_t>(section)];
  if (role == Qt::DisplayRole) return column.header;
  if (role == Qt::TextAlignmentRole) return static_cast<int>(column.alignment);
  // The Grupo column's header shares its column's colour (red after a failed group check).
  if (role == Qt::BackgroundRole && variables_ && section == varcol::Grupo) return ToQColor(fixedHeader_);
  return {};
}

}  // namespace zelkor
