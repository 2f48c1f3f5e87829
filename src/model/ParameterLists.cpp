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

namespace {
QString Half(const QString& text) { return (text + QString(10, u' ')).left(kAlarmHalf); }
}  // namespace

QString ComposeAlarmText(const QString& texto1, const QString& texto2) { return Half(texto1) + Half(texto2); }

bool AlarmHalfFits(const QString& half, bool first) {
  return half.size() <= kAlarmHalf && (!first || !half.isEmpty());  // blanks count: no trimming
}

std::pair<QString, QString> SplitAlarmText(const QString& alarmText) {
  return {alarmText.left(kAlarmHalf), alarmText.mid(kAlarmHalf, kAlarmHalf)};
}

}  // namespace zelkor
