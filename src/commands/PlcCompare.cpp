#include "PlcCompare.h"

#include "AlarmEditor.h"
#include "FileCommands.h"
#include "History.h"
#include "PlcCommands.h"
#include "PlcRead.h"
#include "model/Cp1252.h"
#include "model/PlcImage.h"
#include "model/Ports.h"

namespace zelkor {

namespace {

const QString kNone = QStringLiteral("—");

QString Marked(const QString& field, bool differs) { return differs ? u'«' + field + u'»' : field; }

// Each side's fields joined as a line of the table, the differing ones marked.
QString Joined(const QStringList& fields, const std::vector<bool>& differs) {
  QStringList shown;
  for (qsizetype i = 0; i < fields.size(); ++i) shown << Marked(fields[i], differs[static_cast<size_t>(i)]);
  return shown.join(QStringLiteral(" | "));
}

QStringList Fields(const VariableRow& row) {
  return {row.grupo, row.texto, row.unidade, row.endereco, EditableText(row.editable)};
}

// Which of Grupo, Texto, Unidade, Endereço and Editável differ between two records.
std::vector<bool> DifferingFields(const QByteArray& a, const QByteArray& b) {
  const auto flags = [](const QByteArray& r) { return static_cast<unsigned char>(r.at(11)); };
  return {((flags(a) >> 1) & 7) != ((flags(b) >> 1) & 7), a.left(8) != b.left(8), a.mid(8, 3) != b.mid(8, 3),
          ((flags(a) >> 4) & 3) != ((flags(b) >> 4) & 3) || a.mid(12, 2) != b.mid(12, 2),
          (flags(a) & 1) != (flags(b) & 1)};
}

QString Tally(const QString& list, const ListTally& t) {
  QStringList parts;
  if (t.equal > 0) parts << QStringLiteral("%1 %2").arg(t.equal).arg(t.equal == 1 ? u"igual" : u"iguais");
  if (t.different > 0)
    parts << QStringLiteral("%1 %2").arg(t.different).arg(t.different == 1 ? u"diferente" : u"diferentes");
  if (t.onlyEditor > 0) parts << QStringLiteral("%1 só no editor").arg(t.onlyEditor);
  if (t.onlyPlc > 0) parts << QStringLiteral("%1 só no CLP").arg(t.onlyPlc);
  return list + QStringLiteral(": ") +
         (parts.isEmpty() ? QStringLiteral("nenhuma linha") : parts.join(QStringLiteral(", "))) + u'.';
}

}  // namespace

QString PlcComparison::Summary() const {
  return Tally(QStringLiteral("Variáveis"), variables) + u' ' + Tally(QStringLiteral("Alarmes"), alarms);
}

PlcComparison CompareWithImage(const Lists& editor, const std::vector<QByteArray>& plcVariableRecords,
                               const std::vector<QByteArray>& plcAlarmRecords) {
  const std::vector<VariableRow>& editorVariables = editor.variables;
  const QStringList& editorAlarms = editor.alarms;
  PlcComparison c;
  const QString variablesList = QStringLiteral("Variáveis");
  const size_t variables = std::max(editorVariables.size(), plcVariableRecords.size());
  for (size_t i = 0; i < variables; ++i) {
    const int line = static_cast<int>(i) + 1;
    if (i >= plcVariableRecords.size()) {
      ++c.variables.onlyEditor;
      c.rows.push_back({variablesList, line, Fields(editorVariables[i]).join(QStringLiteral(" | ")), kNone});
      continue;
    }
    const QStringList plc = Fields(DecodeVariableRecord(plcVariableRecords[i]).value_or(VariableRow{}));
    if (i >= editorVariables.size()) {
      ++c.variables.onlyPlc;
      c.rows.push_back({variablesList, line, kNone, plc.join(QStringLiteral(" | "))});
      continue;
    }
    std::vector<bool> differs(5, true);  // a row no write can encode differs in every field
    try {
      differs = DifferingFields(EncodeVariableRow(editorVariables[i]), plcVariableRecords[i]);
    } catch (const ImageError&) {
    }
    if (std::find(differs.begin(), differs.end(), true) == differs.end()) {
      ++c.variables.equal;
      continue;
    }
    ++c.variables.different;
    c.rows.push_back({variablesList, line, Joined(Fields(editorVariables[i]), differs), Joined(plc, differs)});
  }
  const QString alarmsList = QStringLiteral("Alarmes");
  const qsizetype alarms = std::max(editorAlarms.size(), static_cast<qsizetype>(plcAlarmRecords.size()));
  for (qsizetype i = 0; i < alarms; ++i) {
    const int line = static_cast<int>(i) + 1;
    const bool inEditor = i < editorAlarms.size();
    const bool inPlc = i < static_cast<qsizetype>(plcAlarmRecords.size());
    const QByteArray editorBytes = inEditor ? EncodeAlarmRow(editorAlarms[i]) : QByteArray();
    const QByteArray plcBytes = inPlc ? plcAlarmRecords[static_cast<size_t>(i)] : QByteArray();
    const auto halves = [](const QByteArray& bytes) {
      return QStringList{cp1252::Decode(bytes.left(kAlarmHalf)), cp1252::Decode(bytes.mid(kAlarmHalf, kAlarmHalf))};
    };
    if (inEditor && inPlc) {
      const std::vector<bool> differs{editorBytes.left(kAlarmHalf) != plcBytes.left(kAlarmHalf),
                                      editorBytes.mid(kAlarmHalf) != plcBytes.mid(kAlarmHalf)};
      if (!differs[0] && !differs[1]) {
        ++c.alarms.equal;
        continue;
      }
      ++c.alarms.different;
      c.rows.push_back({alarmsList, line, Joined(halves(editorBytes), differs), Joined(halves(plcBytes), differs)});
      continue;
    }
    ++(inEditor ? c.alarms.onlyEditor : c.alarms.onlyPlc);
    c.rows.push_back({alarmsList, line, inEditor ? halves(editorBytes).join(QStringLiteral(" | ")) : kNone,
                      inPlc ? halves(plcBytes).join(QStringLiteral(" | ")) : kNone});
  }
  return c;
}

void CompareWithPlc(Editor& s, ComparisonView& view, const PlcDone& done) {
  if (RefuseWhileTransferring(s, QStringLiteral("em andamento."))) return Report(done, PlcResult::Failed);
  // The lists as they stood at the click are what the PLC is compared with.
  StartListRead(
      s, false,
      [&s, &view, lists = s.lists, done](const ReadBack& read) {
        const PlcComparison comparison = CompareWithImage(lists, read.variableRecords, read.alarmRecords);
        if (comparison.Identical()) {
          s.messages.Show({QStringLiteral("O CLP contém as mesmas listas do editor."), MessageTitle::Comparison,
                           MessageButtons::Ok, MessageIcon::Information});
          return Report(done, PlcResult::Done);
        }
        const QString title = QStringLiteral("Comparação com o CLP (") + PortEntryName(s.plcLink.PortNumber()) + u')';
        const bool usePlc = view.Show(title, comparison);
        Report(done, PlcResult::Different);
        // "Usar o CLP": what "Lê CLP" would have done, its question first.
        if (!usePlc || !OfferToSaveLists(s, QStringLiteral("ler o CLP"))) return;
        RecordStep(
            s, [&] { AdoptPlcLists(s, read); }, [] { return QStringLiteral("usar as listas do CLP"); });
      },
      done);
}

}  // namespace zelkor
