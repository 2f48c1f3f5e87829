#include "Csv.h"

#include "alarms/AlarmEditor.h"
#include "core/Cp1252.h"
#include "core/Numbers.h"
#include "variables/VariableValidation.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

namespace zelkor {

namespace {

enum Column { kTipo, kGrupo, kTexto, kUnidade, kEndereco, kEditavel, kTexto1, kTexto2, kColumnCount };
using Cells = std::array<QString, kColumnCount>;

constexpr int kTextoWidth = 8;
constexpr int kUnidadeWidth = 3;
constexpr int kGroupCount = 8;

QString ColumnName(int column) { return kCsvHeader.section(u';', column, column); }

QByteArray Field(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  const bool plain =
      std::none_of(bytes.begin(), bytes.end(), [](char c) { return c == ';' || c == '"' || c == '\r' || c == '\n'; });
  if (plain) return bytes;
  const auto size = static_cast<size_t>(bytes.size());
  QByteArray quoted(static_cast<qsizetype>(csv_write(nullptr, 0, bytes.constData(), size)), '\0');
  csv_write(quoted.data(), static_cast<size_t>(quoted.size()), bytes.constData(), size);
  return quoted;
}

QByteArray Line(const QStringList& cells) {
  QByteArray line;
  for (qsizetype i = 0; i < cells.size(); ++i) line += (i > 0 ? ";" : "") + Field(cells[i]);
  return line + "\r\n";
}

struct RawRow {
  int line = 0;
  QList<QByteArray> cells;
};

struct RowCollector {
  std::vector<RawRow> rows;
  RawRow current;
  bool begun = false;
};

void EndField(void* data, size_t size, void* collector) {
  static_cast<RowCollector*>(collector)->current.cells.append(
      QByteArray(static_cast<const char*>(data), static_cast<qsizetype>(size)));
}

void EndRow(int, void* collector) {
  auto& c = *static_cast<RowCollector*>(collector);
  c.rows.push_back(std::move(c.current));
  c.current = {};
  c.begun = false;
}

int NoBlanks(unsigned char) { return 0; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Where the physical line that starts at `from` ends, its line end included
// (CR LF, a lone CR or a lone LF, as in parameter files).
qsizetype NextLine(const QByteArray& bytes, qsizetype from) {
  qsizetype i = from;
  while (i < bytes.size() && !IsLineEnd(bytes[i])) ++i;
  if (i < bytes.size() && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
  return std::min(i + 1, bytes.size());
}

// What splitting the sheet gives: its rows, or the first malformed field.
struct SplitSheet {
  std::vector<RawRow> rows;
  std::optional<CsvFailure> malformed;
};

// Fed one physical line at a time, so that each row knows the line it starts
// on even when a quoted field before it held line breaks. Read strictly: in
// lenient mode an unclosed quote swallows every later row without a word.
SplitSheet SplitRows(const QByteArray& bytes, char separator) {
  csv_parser parser;
  if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) throw std::runtime_error("csv_init");
  const std::unique_ptr<csv_parser, decltype(&csv_free)> freeParser(&parser, csv_free);
  csv_set_delim(&parser, static_cast<unsigned char>(separator));
  // Blanks belong to texts; the cells that are not texts are trimmed later.
  csv_set_space_func(&parser, NoBlanks);
  RowCollector collector;
  int line = 0;
  int quotedFieldLine = 0;  // where the quoted field still open at a line's end began
  for (qsizetype start = 0; start < bytes.size();) {
    const qsizetype next = NextLine(bytes, start);
    ++line;
    const bool continuesField = parser.quoted != 0;
    // The parser skips empty lines outside a row: they start nothing.
    if (!collector.begun && !IsLineEnd(bytes[start])) {
      collector.begun = true;
      collector.current.line = line;
    }
    const auto length = static_cast<size_t>(next - start);
    if (csv_parse(&parser, bytes.constData() + start, length, EndField, EndRow, &collector) != length) {
      // A quote closed a quoted field and something other than a separator or a line end followed;
      // or a quote stands inside a field that did not begin with one.
      if (parser.quoted == 0)
        return {{}, CsvFailure{line, QStringLiteral("aspas dentro de um campo que não começa com aspas")}};
      return {
          {},
          CsvFailure{continuesField ? quotedFieldLine : line, QStringLiteral("texto depois das aspas de fechamento")}};
    }
    if (!continuesField) quotedFieldLine = line;
    start = next;
  }
  if (csv_fini(&parser, EndField, EndRow, &collector) != 0) {
    return {{}, CsvFailure{quotedFieldLine, QStringLiteral("aspas sem fechamento")}};
  }
  return {std::move(collector.rows), std::nullopt};
}

// The separator that occurs most often on the first line with content; ';' on a tie.
char DetectSeparator(const QByteArray& bytes) {
  qsizetype start = 0;
  while (start < bytes.size() && IsLineEnd(bytes[start])) ++start;
  const QByteArray header = bytes.mid(start, NextLine(bytes, start) - start);
  char best = ';';
  for (char c : {'\t', ','}) {
    if (header.count(c) > header.count(best)) best = c;
  }
  return best;
}

bool IsUtf8(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  return !decoder.hasError();
}

// Header names, Tipo and Editável are matched without regard to case, accents or blanks.
QString Fold(const QString& text) {
  QString folded;
  for (QChar c : text.normalized(QString::NormalizationForm_D)) {
    if (!c.isSpace() && !c.isMark()) folded += c.toCaseFolded();
  }
  return folded;
}

QString Reason(const QString& title, const QString& value) {
  return value.isEmpty() ? title : title + QStringLiteral(" — ") + value;
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
         cells[kEndereco].trimmed(), QString()};
  for (const auto& [column, text] :
       {std::pair{kGrupo, row.grupo}, {kTexto, row.texto}, {kUnidade, row.unidade}, {kEndereco, row.endereco}}) {
    if (QString problem = CharacterProblem(text, column); !problem.isEmpty()) return problem;
  }
  const VariableVerdict verdict = CheckVariableEntry({row.grupo, row.texto, row.unidade, row.endereco});
  if (!verdict.Valid()) {
    return Reason(verdict.message.title, verdict.field == EntryField::Grupo ? row.grupo : row.endereco);
  }
  if (row.texto.size() > kTextoWidth) return Reason(QStringLiteral("Texto com mais de 8 caracteres!"), row.texto);
  if (row.unidade.size() > kUnidadeWidth) {
    return Reason(QStringLiteral("Unidade com mais de 3 caracteres!"), row.unidade);
  }
  const QString editavel = Fold(cells[kEditavel]);
  if (editavel == u"sim" || editavel == u"s") {
    row.editavel = kSim;
  } else if (editavel.isEmpty() || editavel == u"nao" || editavel == u"n") {
    row.editavel = kNao;
  } else {
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
  if (texto1.isEmpty() || texto1.size() > kAlarmHalf) {
    return Reason(QStringLiteral("Texto 1 deve ter de 1 a 8 caracteres!"), texto1);
  }
  if (texto2.size() > kAlarmHalf) return Reason(QStringLiteral("Texto 2 deve ter no máximo 8 caracteres!"), texto2);
  alarmText = ComposeAlarmText(texto1, texto2);
  return {};
}

struct GroupAt {
  int line;
  int group;
};

// The groups present must run 0, 1, 2, … : names the first row above a gap.
void CheckGroupNumbering(const std::vector<GroupAt>& groups, std::vector<CsvFailure>& failures) {
  std::array<bool, kGroupCount> present{};
  for (const GroupAt& g : groups) present[static_cast<size_t>(g.group)] = true;
  const auto gap = static_cast<int>(std::find(present.begin(), present.end(), false) - present.begin());
  for (const GroupAt& g : groups) {
    if (g.group > gap) {
      failures.push_back(
          {g.line, QStringLiteral("Sequência de numeração do Grupo está quebrada! — falta o Grupo %1").arg(gap)});
      return;
    }
  }
}

CsvImport Refused(std::vector<CsvFailure> failures) {
  std::stable_sort(failures.begin(), failures.end(),
                   [](const CsvFailure& a, const CsvFailure& b) { return a.line < b.line; });
  QStringList lines{QStringLiteral("Nada foi importado; as listas não foram alteradas.")};
  const qsizetype shown = std::min<qsizetype>(kCsvFailuresShown, static_cast<qsizetype>(failures.size()));
  for (qsizetype i = 0; i < shown; ++i) {
    const CsvFailure& f = failures[static_cast<size_t>(i)];
    lines << QStringLiteral("Linha %1: ").arg(f.line) + f.reason;
  }
  const qsizetype rest = static_cast<qsizetype>(failures.size()) - shown;
  if (rest == 1) lines << QStringLiteral("… e mais 1 erro.");
  if (rest > 1) lines << QStringLiteral("… e mais %1 erros.").arg(rest);
  CsvImport import;
  import.failures = std::move(failures);
  import.message = {JoinLines(lines), kCsvRefusedTitle, MessageButtons::Ok, MessageIcon::Exclamation};
  return import;
}

struct TextRow {
  int line;
  QStringList cells;
};

struct DecodedSheet {
  std::vector<TextRow> rows;
  std::optional<CsvFailure> malformed;
};

DecodedSheet DecodeRows(const QByteArray& bytes) {
  // Older spreadsheet programs write Windows-1252: a file that is not UTF-8 as
  // a whole is read as that, header included.
  const bool utf8 = IsUtf8(bytes);
  SplitSheet sheet = SplitRows(bytes, DetectSeparator(bytes));
  DecodedSheet decoded{{}, sheet.malformed};
  for (const RawRow& raw : sheet.rows) {
    TextRow& row = decoded.rows.emplace_back(TextRow{raw.line, {}});
    for (const QByteArray& cell : raw.cells) row.cells << (utf8 ? QString::fromUtf8(cell) : cp1252::Decode(cell));
  }
  return decoded;
}

template <class Texts>
bool Blank(const Texts& texts) {
  return std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.trimmed().isEmpty(); });
}

using Positions = std::array<qsizetype, kColumnCount>;

// Where each known column sits (-1: missing). The first of a repeated name counts.
Positions FindColumns(const QStringList& header) {
  Positions at;
  at.fill(-1);
  for (qsizetype i = 0; i < header.size(); ++i) {
    const QString name = Fold(header[i]);
    for (int c = 0; c < kColumnCount; ++c) {
      if (at[c] < 0 && name == Fold(ColumnName(c))) at[c] = i;
    }
  }
  return at;
}

struct RowReader {
  CsvImport import;
  std::vector<CsvFailure> failures;
  std::vector<GroupAt> groups;  // of every Variable row whose Grupo is a group, for the numbering check
  int variableRows = 0;
  int alarmRows = 0;

  void Read(int line, const Cells& cells) {
    const QString tipo = Fold(cells[kTipo]);
    QString reason;
    if (tipo == u"v" || tipo == u"variavel") {
      if (++variableRows == kMaxRows + 1) {
        Fail(line, QStringLiteral("Mais de 255 variáveis: a lista comporta no máximo 255!"));
      }
      if (const auto group = ReadWholeNumber(cells[kGrupo]); group && *group >= 0 && *group < kGroupCount) {
        groups.push_back({line, static_cast<int>(*group)});
      }
      VariableRow row;
      reason = CheckVariable(cells, row);
      if (reason.isEmpty()) import.variables.push_back(row);
    } else if (tipo == u"a" || tipo == u"alarme") {
      if (++alarmRows == kMaxRows + 1) {
        Fail(line, QStringLiteral("Mais de 255 alarmes: a lista comporta no máximo 255!"));
      }
      QString text;
      reason = CheckAlarm(cells, text);
      if (reason.isEmpty()) import.alarms << text;
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

QByteArray FormatCsv(const VariableList& variables, const AlarmList& alarms) {
  QByteArray bytes = "\xEF\xBB\xBF" + Line(kCsvHeader.split(u';'));
  for (int r = 1; r <= variables.Count(); ++r) {
    const VariableRow row = variables.Row(r);
    bytes += Line({QStringLiteral("Variável"), row.grupo, row.texto, row.unidade, row.endereco, row.editavel, {}, {}});
  }
  for (int r = 1; r <= alarms.Count(); ++r) {
    const auto [texto1, texto2] = SplitAlarmText(alarms.Text(r));
    bytes += Line({QStringLiteral("Alarme"), {}, {}, {}, {}, {}, texto1, texto2});
  }
  return bytes;
}

CsvImport ParseCsv(const QByteArray& input) {
  const QByteArray bytes = input.startsWith("\xEF\xBB\xBF") ? input.mid(3) : input;
  const DecodedSheet sheet = DecodeRows(bytes);
  if (sheet.malformed) return Refused({*sheet.malformed});
  const std::vector<TextRow>& rows = sheet.rows;
  auto header = std::find_if(rows.begin(), rows.end(), [](const TextRow& r) { return !Blank(r.cells); });
  const QString expected = QStringLiteral("a primeira linha deve ser o cabeçalho ") + kCsvHeader;
  if (header == rows.end()) return Refused({{1, QStringLiteral("Planilha vazia: ") + expected}});
  const Positions at = FindColumns(header->cells);
  const auto missing = [&](int column) {
    return Refused({{header->line, QStringLiteral("Cabeçalho sem a coluna %1: ").arg(ColumnName(column)) + expected}});
  };
  if (at[kTipo] < 0) return missing(kTipo);

  RowReader reader;
  for (auto row = header + 1; row != rows.end(); ++row) {
    Cells cells;
    for (int c = 0; c < kColumnCount; ++c) {
      if (at[c] >= 0 && at[c] < row->cells.size()) cells[c] = row->cells[at[c]];
    }
    if (!Blank(cells)) reader.Read(row->line, cells);  // a row with text in unknown columns only is blank too
  }
  // A column the rows need and the header lacks is one fault, not one in every row.
  for (const int column : {kGrupo, kEndereco}) {
    if (reader.variableRows > 0 && at[column] < 0) return missing(column);
  }
  if (reader.alarmRows > 0 && at[kTexto1] < 0) return missing(kTexto1);
  if (reader.variableRows + reader.alarmRows == 0 && reader.failures.empty()) {
    return Refused(
        {{header->line, QStringLiteral("Planilha vazia: nenhuma linha de Variável ou Alarme depois do cabeçalho")}});
  }
  CheckGroupNumbering(reader.groups, reader.failures);
  if (!reader.failures.empty()) return Refused(std::move(reader.failures));
  return std::move(reader.import);
}

}  // namespace zelkor
