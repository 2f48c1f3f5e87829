#include "Spreadsheet.h"

#include "model/Cp1252.h"
#include "model/Numbers.h"
#include "model/PlcImage.h"
#include "model/VariableValidation.h"

#include <algorithm>
#include <array>

namespace zelkor {

namespace {

enum Column { kTipo, kGrupo, kTexto, kUnidade, kEndereco, kEditavel, kTexto1, kTexto2, kColumnCount };

struct Cells {
  std::array<QString, kColumnCount> text;
  std::array<bool, kColumnCount> notText{};
  const QString& operator[](int c) const { return text[static_cast<size_t>(c)]; }
};

constexpr int kTextoWidth = 8;
constexpr int kUnidadeWidth = 3;
constexpr qsizetype kValueShown = 24;  // of a refused value, in the box

QString ColumnName(int column) { return kSpreadsheetHeader.section(u';', column, column); }

// Header names, Tipo and Editável are matched without regard to case, accents or blanks.
QString Fold(const QString& text) {
  QString folded;
  for (QChar c : text.normalized(QString::NormalizationForm_D)) {
    if (!c.isSpace() && !c.isMark()) folded += c.toCaseFolded();
  }
  return folded;
}

// A cell pasted full of text must not fill the screen.
QString Clipped(const QString& value) {
  return value.size() > kValueShown ? value.left(kValueShown - 1) + u'…' : value;
}

QString Reason(const QString& title, const QString& value) {
  if (value.isEmpty()) return title;
  return title + QStringLiteral(" — ") + Clipped(value);
}

// Texts are kept as written, leading blanks included (they place the text on
// the panel). Only blanks that would carry a text past its width are dropped:
// they are invisible, and a spreadsheet cell may well end in some.
QString Fit(QString text, int width) {
  while (text.size() > width && text.endsWith(u' ')) text.chop(1);
  return text;
}

QString CharacterProblem(const QString& text, int column) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (cp1252::Typeable(text[i])) continue;
    if (cp1252::ByteOf(text[i]) >= 0) {
      return QStringLiteral("Quebra de linha ou outro caractere de controle não aceito — ") + ColumnName(column);
    }
    const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
    return QStringLiteral("Caractere \"%1\" não aceito pelo painel — %2").arg(text.mid(i, length), ColumnName(column));
  }
  return {};
}

// Each check gives the reason of the row's first problem, or nothing.
QString CheckVariable(const Cells& cells, VariableRow& row) {
  row = {cells[kGrupo].trimmed(), Fit(cells[kTexto], kTextoWidth), Fit(cells[kUnidade], kUnidadeWidth),
         cells[kEndereco].trimmed()};
  for (const auto& [column, text] :
       {std::pair{kGrupo, row.grupo}, {kTexto, row.texto}, {kUnidade, row.unidade}, {kEndereco, row.endereco}}) {
    if (QString problem = CharacterProblem(text, column); !problem.isEmpty()) return problem;
  }
  const VariableVerdict verdict = CheckVariableEntry({row.grupo, row.texto, row.unidade, row.endereco});
  if (!verdict.Valid()) {
    return Reason(TitleText(verdict.message.title), verdict.field == EntryField::Grupo ? row.grupo : row.endereco);
  }
  if (row.texto.size() > kTextoWidth) return Reason(QStringLiteral("Texto com mais de 8 caracteres!"), row.texto);
  if (row.unidade.size() > kUnidadeWidth) {
    return Reason(QStringLiteral("Unidade com mais de 3 caracteres!"), row.unidade);
  }
  const QString editavel = Fold(cells[kEditavel]);
  if (editavel == u"sim" || editavel == u"s") {
    row.editable = true;
  } else if (!editavel.isEmpty() && editavel != u"nao" && editavel != u"n") {
    return Reason(QStringLiteral("Editável deve ser Sim ou Não!"), cells[kEditavel].trimmed());
  }
  // One digit, as a typed group enters the order key and as the *.zlk line holds it.
  row.grupo = FormatGroup(row.grupo);
  return {};
}

QString CheckAlarm(const Cells& cells, QString& alarmText) {
  const QString texto1 = Fit(cells[kTexto1], kAlarmHalf);
  const QString texto2 = Fit(cells[kTexto2], kAlarmHalf);
  for (const auto& [column, text] : {std::pair{kTexto1, texto1}, {kTexto2, texto2}}) {
    if (QString problem = CharacterProblem(text, column); !problem.isEmpty()) return problem;
  }
  if (!AlarmHalfFits(texto1, true)) return Reason(QStringLiteral("Texto 1 deve ter de 1 a 8 caracteres!"), texto1);
  if (!AlarmHalfFits(texto2, false)) return Reason(QStringLiteral("Texto 2 deve ter no máximo 8 caracteres!"), texto2);
  alarmText = ComposeAlarmText(texto1, texto2);
  return {};
}

struct GroupAt {
  int line;
  int group;
};

// The groups present must run 0, 1, 2, … : names the first row above a gap.
void CheckGroupNumbering(const std::vector<GroupAt>& groups, std::vector<SpreadsheetFailure>& failures) {
  std::vector<int> numbers;
  for (const GroupAt& g : groups) numbers.push_back(g.group);
  const std::optional<int> gap = GroupGap(numbers);
  if (!gap) return;
  for (const GroupAt& g : groups) {
    if (g.group > *gap) {
      failures.push_back(
          {g.line, QStringLiteral("Sequência de numeração do Grupo está quebrada! — falta o Grupo %1").arg(*gap)});
      return;
    }
  }
}

bool Blank(const std::vector<SpreadsheetCell>& cells) {
  return std::all_of(cells.begin(), cells.end(),
                     [](const SpreadsheetCell& c) { return !c.notText && c.text.trimmed().isEmpty(); });
}

using Positions = std::array<qsizetype, kColumnCount>;

// Where each known column sits (-1: missing). The first of a repeated name counts.
Positions FindColumns(const std::vector<SpreadsheetCell>& header) {
  Positions at;
  at.fill(-1);
  for (size_t i = 0; i < header.size(); ++i) {
    const QString name = Fold(header[i].text);
    for (int c = 0; c < kColumnCount; ++c) {
      if (at[c] < 0 && name == Fold(ColumnName(c))) at[c] = static_cast<qsizetype>(i);
    }
  }
  return at;
}

// "A", …, "Z", "AA": a column as spreadsheet programs name it.
QString ColumnLetters(size_t index) {
  QString letters;
  for (size_t n = index + 1; n > 0; n = (n - 1) / 26)
    letters.prepend(QChar(static_cast<char16_t>(u'A' + (n - 1) % 26)));
  return letters;
}

// A column no rule reads would be dropped unseen ("Unid." for Unidade, "Texto
// 2 (8)"): a name the import does not know, a name it has already, or a
// column without a name that holds something. A column without a name and
// without anything in it, as spreadsheet programs leave, is no loss.
QString UnreadColumn(const std::vector<SpreadsheetRow>& rows, std::vector<SpreadsheetRow>::const_iterator header,
                     const Positions& at) {
  std::vector<bool> read(header->cells.size());
  for (const qsizetype column : at) {
    if (column >= 0) read[static_cast<size_t>(column)] = true;
  }
  QStringList unknown;
  QString repeated;
  for (size_t i = 0; i < read.size(); ++i) {
    const QString name = header->cells[i].text.trimmed();
    if (read[i] || name.isEmpty()) continue;
    bool known = false;
    for (int c = 0; c < kColumnCount; ++c) known |= Fold(name) == Fold(ColumnName(c));
    if (known && repeated.isEmpty()) repeated = name;
    if (!known) unknown << u'"' + Clipped(name) + u'"';
  }
  if (unknown.size() == 1) return QStringLiteral("Cabeçalho com a coluna desconhecida %1").arg(unknown.front());
  if (unknown.size() > 1) {
    const QString last = unknown.takeLast();
    return QStringLiteral("Cabeçalho com as colunas desconhecidas %1 e %2")
        .arg(unknown.join(QStringLiteral(", ")), last);
  }
  if (!repeated.isEmpty()) return QStringLiteral("Cabeçalho com a coluna %1 repetida").arg(repeated);
  for (auto row = header + 1; row != rows.end(); ++row) {
    for (size_t i = 0; i < row->cells.size(); ++i) {
      const SpreadsheetCell& cell = row->cells[i];
      if ((i >= read.size() || !read[i]) && (cell.notText || !cell.text.trimmed().isEmpty())) {
        return QStringLiteral("Cabeçalho sem nome na coluna %1, que tem dados na linha %2")
            .arg(ColumnLetters(i))
            .arg(row->line);
      }
    }
  }
  return {};
}

struct RowReader {
  SpreadsheetImport import;
  std::vector<SpreadsheetFailure> failures;
  std::vector<GroupAt> groups;  // of every Variable row whose Grupo is a group, for the numbering check
  int variableRows = 0;
  int alarmRows = 0;

  void Read(int line, const Cells& cells) {
    const QString tipo = Fold(cells[kTipo]);
    const bool variable = tipo == u"v" || tipo == u"variavel";
    const bool alarm = tipo == u"a" || tipo == u"alarme";
    // A workbook's date or fraction read as text would be a changed text: the row is refused, naming the cell.
    std::vector<Column> used{kTipo};
    if (variable) used.insert(used.end(), {kGrupo, kTexto, kUnidade, kEndereco, kEditavel});
    if (alarm) used.insert(used.end(), {kTexto1, kTexto2});
    for (const Column c : used) {
      if (cells.notText[c]) {
        failures.push_back(
            {line, QStringLiteral("%1 da linha %2 não é texto na planilha").arg(ColumnName(c)).arg(line), true});
        return;
      }
    }
    QString reason;
    if (variable) {
      if (++variableRows == kMaxRows + 1) {
        Fail(line, QStringLiteral("Mais de 255 variáveis: a lista comporta no máximo 255!"));
      }
      if (const auto group = ReadWholeNumber(cells[kGrupo]); group && *group >= 0 && *group < kGroups) {
        groups.push_back({line, static_cast<int>(*group)});
      }
      VariableRow row;
      reason = CheckVariable(cells, row);
      if (reason.isEmpty()) import.lists.variables.push_back(row);
    } else if (alarm) {
      if (++alarmRows == kMaxRows + 1) {
        Fail(line, QStringLiteral("Mais de 255 alarmes: a lista comporta no máximo 255!"));
      }
      QString text;
      reason = CheckAlarm(cells, text);
      if (reason.isEmpty()) import.lists.alarms << text;
    } else {
      reason = tipo.isEmpty()
                   ? QStringLiteral("Tipo não informado! Use Variável ou Alarme")
                   : Reason(QStringLiteral("Tipo desconhecido! Use Variável ou Alarme"), cells[kTipo].trimmed());
    }
    if (!reason.isEmpty()) Fail(line, reason);
  }

  void Fail(int line, const QString& reason) { failures.push_back({line, reason}); }
};

}  // namespace

std::vector<QStringList> SpreadsheetTable(const Lists& lists) {
  std::vector<QStringList> table{kSpreadsheetHeader.split(u';')};
  for (const VariableRow& row : lists.variables) {
    table.push_back({QStringLiteral("Variável"),
                     row.grupo,
                     row.texto,
                     row.unidade,
                     row.endereco,
                     EditableText(row.editable),
                     {},
                     {}});
  }
  for (const QString& alarm : lists.alarms) {
    const auto [texto1, texto2] = SplitAlarmText(alarm);
    table.push_back({QStringLiteral("Alarme"), {}, {}, {}, {}, {}, texto1, texto2});
  }
  return table;
}

SpreadsheetImport RefusedSpreadsheet(std::vector<SpreadsheetFailure> failures) {
  std::stable_sort(failures.begin(), failures.end(),
                   [](const SpreadsheetFailure& a, const SpreadsheetFailure& b) { return a.line < b.line; });
  QStringList lines{QStringLiteral("Nada foi importado; as listas não foram alteradas.")};
  const qsizetype shown = std::min<qsizetype>(kFailuresShown, static_cast<qsizetype>(failures.size()));
  for (qsizetype i = 0; i < shown; ++i) {
    const SpreadsheetFailure& f = failures[static_cast<size_t>(i)];
    lines << (f.namesLine ? f.reason : QStringLiteral("Linha %1: ").arg(f.line) + f.reason);
  }
  const qsizetype rest = static_cast<qsizetype>(failures.size()) - shown;
  if (rest == 1) lines << QStringLiteral("… e mais 1 erro.");
  if (rest > 1) lines << QStringLiteral("… e mais %1 erros.").arg(rest);
  SpreadsheetImport import;
  import.failures = std::move(failures);
  import.message = Exclamation(JoinLines(lines), MessageTitle::SpreadsheetNotImported);
  return import;
}

SpreadsheetImport ImportSpreadsheetRows(const std::vector<SpreadsheetRow>& rows) {
  auto header = std::find_if(rows.begin(), rows.end(), [](const SpreadsheetRow& r) { return !Blank(r.cells); });
  const QString expected = QStringLiteral("a primeira linha deve ser o cabeçalho ") + kSpreadsheetHeader;
  if (header == rows.end()) return RefusedSpreadsheet({{1, QStringLiteral("Planilha vazia: ") + expected}});
  const Positions at = FindColumns(header->cells);
  const auto refuseHeader = [&](const QString& why) {
    return RefusedSpreadsheet({{header->line, why + QStringLiteral(": ") + expected}});
  };
  const auto missing = [&](int column) {
    return refuseHeader(QStringLiteral("Cabeçalho sem a coluna %1").arg(ColumnName(column)));
  };
  if (const QString unread = UnreadColumn(rows, header, at); !unread.isEmpty()) return refuseHeader(unread);
  if (at[kTipo] < 0) return missing(kTipo);

  RowReader reader;
  for (auto row = header + 1; row != rows.end(); ++row) {
    Cells cells;
    for (int c = 0; c < kColumnCount; ++c) {
      if (at[c] < 0 || at[c] >= static_cast<qsizetype>(row->cells.size())) continue;
      const SpreadsheetCell& cell = row->cells[static_cast<size_t>(at[c])];
      cells.text[c] = cell.text;
      cells.notText[c] = cell.notText;
    }
    // A row with only blanks in the columns read is blank too.
    const bool blank =
        std::all_of(cells.text.begin(), cells.text.end(), [](const QString& t) { return t.trimmed().isEmpty(); }) &&
        std::none_of(cells.notText.begin(), cells.notText.end(), [](bool b) { return b; });
    if (!blank) reader.Read(row->line, cells);
  }
  // A column the rows need and the header lacks is one fault, not one in every row.
  for (const int column : {kGrupo, kEndereco}) {
    if (reader.variableRows > 0 && at[column] < 0) return missing(column);
  }
  if (reader.alarmRows > 0 && at[kTexto1] < 0) return missing(kTexto1);
  if (reader.variableRows + reader.alarmRows == 0 && reader.failures.empty()) {
    return RefusedSpreadsheet(
        {{header->line, QStringLiteral("Planilha vazia: nenhuma linha de Variável ou Alarme depois do cabeçalho")}});
  }
  CheckGroupNumbering(reader.groups, reader.failures);
  if (!reader.failures.empty()) return RefusedSpreadsheet(std::move(reader.failures));
  return std::move(reader.import);
}

}  // namespace zelkor
