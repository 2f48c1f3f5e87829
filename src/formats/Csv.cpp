#include "Csv.h"

#include "model/Cp1252.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

namespace zelkor {

namespace {

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
  std::optional<SpreadsheetFailure> malformed;
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
        return {{}, SpreadsheetFailure{line, QStringLiteral("aspas dentro de um campo que não começa com aspas")}};
      return {{},
              SpreadsheetFailure{continuesField ? quotedFieldLine : line,
                                 QStringLiteral("texto depois das aspas de fechamento")}};
    }
    if (!continuesField) quotedFieldLine = line;
    start = next;
  }
  if (csv_fini(&parser, EndField, EndRow, &collector) != 0) {
    return {{}, SpreadsheetFailure{quotedFieldLine, QStringLiteral("aspas sem fechamento")}};
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

struct DecodedSheet {
  std::vector<SpreadsheetRow> rows;
  std::optional<SpreadsheetFailure> malformed;
};

DecodedSheet DecodeRows(const QByteArray& bytes) {
  // Older spreadsheet programs write Windows-1252: a file that is not UTF-8 as
  // a whole is read as that, header included.
  const bool utf8 = IsUtf8(bytes);
  SplitSheet sheet = SplitRows(bytes, DetectSeparator(bytes));
  DecodedSheet decoded{{}, sheet.malformed};
  for (const RawRow& raw : sheet.rows) {
    SpreadsheetRow& row = decoded.rows.emplace_back(SpreadsheetRow{raw.line, {}});
    for (const QByteArray& cell : raw.cells)
      row.cells.push_back({utf8 ? QString::fromUtf8(cell) : cp1252::Decode(cell)});
  }
  return decoded;
}

}  // namespace

QByteArray FormatCsv(const Lists& lists) {
  QByteArray bytes = "\xEF\xBB\xBF";
  for (const QStringList& row : SpreadsheetTable(lists)) bytes += Line(row);
  return bytes;
}

SpreadsheetImport ParseCsv(const QByteArray& input) {
  const QByteArray bytes = input.startsWith("\xEF\xBB\xBF") ? input.mid(3) : input;
  const DecodedSheet sheet = DecodeRows(bytes);
  if (sheet.malformed) return RefusedSpreadsheet({*sheet.malformed});
  return ImportSpreadsheetRows(sheet.rows);
}

}  // namespace zelkor
