#include "ListWarnings.h"

#include "PlcImage.h"

#include <map>
#include <vector>

namespace zelkor {

namespace {

QString WordName(int number) { return QStringLiteral("D%1").arg(number, 4, 10, QLatin1Char('0')); }

// "3 (PRESSAO, D4480)": the row as the technician finds it in the grid.
QString RowAndAddress(int row, const VariableRow& variable) {
  const QString texto = variable.texto.trimmed();
  return QStringLiteral("%1 (%2%3)")
      .arg(row)
      .arg(texto.isEmpty() ? QString() : texto + QStringLiteral(", "), variable.endereco);
}

}  // namespace

QStringList CheckListsBeforeWrite(const Lists& lists) {
  const auto& variables = lists.variables;
  const int start = ImageStart(static_cast<int>(variables.size()), static_cast<int>(lists.alarms.size()));
  std::vector<std::optional<PlcAddress>> addresses;
  std::map<PlcAddress, std::vector<int>> rowsOnWord;
  for (const VariableRow& variable : variables) {
    addresses.push_back(ParsePlcAddress(variable.endereco));
    if (addresses.back()) rowsOnWord[*addresses.back()].push_back(static_cast<int>(addresses.size()));
  }
  QStringList warnings;
  for (int row = 1; row <= static_cast<int>(variables.size()); ++row) {
    const auto& address = addresses[static_cast<size_t>(row - 1)];
    if (!address) continue;
    const VariableRow& variable = variables[static_cast<size_t>(row - 1)];
    // The panel reads such a word as a value, and writes an editable one.
    if (address->type == 0 && address->number >= start && address->number <= kImageEnd) {
      warnings << QStringLiteral(
                      "Variável da linha %1: está na memória das listas (%2 a %3); o painel mostraria essa memória "
                      "como valor%4.")
                      .arg(RowAndAddress(row, variable), WordName(start), WordName(kImageEnd),
                           variable.editable ? QStringLiteral(", e o operador poderia alterar as listas pelo painel")
                                             : QString());
    }
    const std::vector<int>& sharing = rowsOnWord[*address];
    if (sharing.size() < 2 || sharing.front() != row) continue;
    QStringList named;
    for (const int r : sharing) named << RowAndAddress(r, variables[static_cast<size_t>(r - 1)]);
    const QString last = named.takeLast();
    warnings << QStringLiteral("Variáveis das linhas %1 e %2: usam a mesma palavra do CLP (%3).")
                    .arg(named.join(QStringLiteral(", ")), last,
                         QChar(u"DCT"[address->type]) + QString::number(address->number));
  }
  return warnings;
}

}  // namespace zelkor
