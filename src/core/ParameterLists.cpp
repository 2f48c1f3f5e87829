#include "ParameterLists.h"

#include <algorithm>

namespace zelkor {

QString OrderKey(const QString& groupDigit, int row) {
  return groupDigit + QStringLiteral("%1").arg(row, 5, 10, QLatin1Char('0'));
}

QString FormatGroup(const QString& grupo) {
  bool ok = false;
  const long long value = grupo.trimmed().toLongLong(&ok);
  return ok ? QString::number(value) : grupo.trimmed();
}

void KeyAsLoaded(std::vector<VariableRow>& rows) {
  for (size_t i = 0; i < rows.size(); ++i) rows[i].orderKey = OrderKey(rows[i].grupo.left(1), static_cast<int>(i) + 1);
}

void SortByOrderKey(std::vector<VariableRow>& rows) {
  const auto number = [](const QString& key) {
    bool ok = false;
    const double value = key.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
  };
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const VariableRow& a, const VariableRow& b) { return number(a.orderKey) < number(b.orderKey); });
}

}  // namespace zelkor
