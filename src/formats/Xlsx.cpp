#include "Xlsx.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <unzip.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <variant>

namespace zelkor {

namespace {

// ---- Writing -----------------------------------------------------------------

// A text written as "_x0041_" would come back as "A": the underscore is
// escaped as spreadsheet programs do.
QByteArray XlsxText(const QString& text) {
  static const QRegularExpression escape(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
  QString escaped = text;
  return escaped.replace(escape, QStringLiteral("_x005F_")).toUtf8();
}

// ---- Reading -----------------------------------------------------------------

constexpr qint64 kMaxPartBytes = qint64{64} * 1024 * 1024;  // a part, unpacked
constexpr int kMaxColumns = 256;                            // columns past these are never the lists'
constexpr int kMaxSheetRows = 1048576;
// Cells held while reading, blanks before a cell included: lists of 255 + 255
// rows need a few thousand; a sheet that asks for millions is refused before
// it takes the memory.
constexpr size_t kMaxCells = 2'000'000;

// A refusal of the file as a whole.
struct Fault {
  QString reason;
};

SpreadsheetImport Refused(const QString& reason) { return RefusedSpreadsheet({{0, reason, true}}); }

Fault Damaged(const QString& part) {
  return {QStringLiteral("A pasta de trabalho está danificada (%1): não foi possível lê-la.").arg(part)};
}

// minizip reads the workbook from memory through these.
struct MemoryStream {
  const QByteArray* bytes;
  ZPOS64_T at = 0;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int) {
  return new MemoryStream{static_cast<const QByteArray*>(opaque)};
}
uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* s = static_cast<MemoryStream*>(stream);
  const auto total = static_cast<ZPOS64_T>(s->bytes->size());
  const uLong n = s->at >= total ? 0 : static_cast<uLong>(std::min<ZPOS64_T>(size, total - s->at));
  std::memcpy(buffer, s->bytes->constData() + s->at, n);
  s->at += n;
  return n;
}
uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) { return static_cast<MemoryStream*>(stream)->at; }
long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* s = static_cast<MemoryStream*>(stream);
  const auto total = static_cast<ZPOS64_T>(s->bytes->size());
  const ZPOS64_T base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0 : origin == ZLIB_FILEFUNC_SEEK_CUR ? s->at : total;
  if (offset > total || base + offset > total) return -1;
  s->at = base + offset;
  return 0;
}
int ZCALLBACK CloseMemory(voidpf, voidpf stream) {
  delete static_cast<MemoryStream*>(stream);
  return 0;
}
int ZCALLBACK MemoryError(voidpf, voidpf) { return 0; }

class Package {
 public:
  explicit Package(QByteArray bytes) : bytes_(std::move(bytes)) {
    zlib_filefunc64_def io{OpenMemory, ReadMemory,  WriteMemory, TellMemory,
                           SeekMemory, CloseMemory, MemoryError, const_cast<QByteArray*>(&bytes_)};
    zip_ = unzOpen2_64("", &io);
  }
  ~Package() {
    if (zip_) unzClose(zip_);
  }
  Package(const Package&) = delete;
  Package& operator=(const Package&) = delete;

  bool IsZip() const { return zip_ != nullptr; }

  bool Has(const QString& part) { return unzLocateFile(zip_, part.toUtf8().constData(), 1) == UNZ_OK; }

  // The part unpacked, or why not. A part's stated size is not trusted: reading stops at the limit.
  std::variant<QByteArray, Fault> Read(const QString& part) {
    if (!Has(part) || unzOpenCurrentFile(zip_) != UNZ_OK) return Damaged(part);
    QByteArray data;
    char buffer[65536];
    int n = 0;
    while ((n = unzReadCurrentFile(zip_, buffer, sizeof buffer)) > 0) {
      if (data.size() + n > kMaxPartBytes) {
        unzCloseCurrentFile(zip_);
        return Fault{QStringLiteral("A pasta de trabalho é grande demais: %1 passa de 64 MB descompactado.").arg(part)};
      }
      data.append(buffer, n);
    }
    if (unzCloseCurrentFile(zip_) != UNZ_OK || n < 0) return Damaged(part);
    return data;
  }

 private:
  QByteArray bytes_;
  unzFile zip_ = nullptr;
};

// Reads `part` and hands its XML to `visit`: the part's fault, or a damaged
// part when its XML is, or nothing.
template <class Visit>
std::optional<Fault> ReadXmlPart(Package& zip, const QString& part, Visit&& visit) {
  auto bytes = zip.Read(part);
  if (auto* fault = std::get_if<Fault>(&bytes)) return *fault;
  QXmlStreamReader xml(std::get<QByteArray>(bytes));
  visit(xml);
  if (xml.hasError()) return Damaged(part);
  return std::nullopt;
}

// "_x000D_" and the like stand for characters XML cannot hold.
QString Unescape(const QString& text) {
  if (!text.contains(QStringLiteral("_x"))) return text;
  static const QRegularExpression escaped(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
  QString out;
  qsizetype from = 0;
  for (auto it = escaped.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += text.mid(from, m.capturedStart() - from) + QChar(m.captured(1).toUShort(nullptr, 16));
    from = m.capturedEnd();
  }
  return out + text.mid(from);
}

// The text of a string item (<si>, <is>): its <t> elements, plain or in runs; not the phonetic guides.
QString ItemText(QXmlStreamReader& xml) {
  QString text;
  const QStringView item = xml.name();
  int phonetic = 0;
  while (xml.readNext() != QXmlStreamReader::Invalid && !(xml.isEndElement() && xml.name() == item)) {
    if (xml.isStartElement() && xml.name() == u"rPh") ++phonetic;
    if (xml.isEndElement() && xml.name() == u"rPh") --phonetic;
    if (xml.isStartElement() && xml.name() == u"t" && phonetic == 0) text += xml.readElementText();
  }
  return Unescape(text);
}

// The attribute "r:id" whatever the relationships' namespace is called.
QString RelationshipId(const QXmlStreamAttributes& attributes) {
  for (const QXmlStreamAttribute& a : attributes) {
    if (a.name() == u"id" && !a.namespaceUri().isEmpty()) return a.value().toString();
  }
  return {};
}

// A relationship's target as a part name: relative to the part's folder, or absolute.
QString ResolveTarget(const QString& folder, const QString& target) {
  if (target.startsWith(u'/')) return target.mid(1);
  QStringList parts = folder.isEmpty() ? QStringList() : folder.split(u'/');
  for (const QString& p : target.split(u'/')) {
    if (p == u"..") {
      if (!parts.isEmpty()) parts.removeLast();
    } else if (p != u".") {
      parts << p;
    }
  }
  return parts.join(u'/');
}

struct Relationship {
  QString type;  // the last segment: "worksheet", "sharedStrings", "styles", "officeDocument"
  QString target;
};

std::variant<QHash<QString, Relationship>, Fault> ReadRelationships(Package& zip, const QString& part) {
  const qsizetype slash = part.lastIndexOf(u'/');
  const QString folder = slash < 0 ? QString() : part.left(slash);
  const QString rels = (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") + part.mid(slash + 1) +
                       QStringLiteral(".rels");
  QHash<QString, Relationship> found;
  if (!zip.Has(rels)) return found;
  const auto fault = ReadXmlPart(zip, rels, [&](QXmlStreamReader& xml) {
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship") {
        const QXmlStreamAttributes a = xml.attributes();
        found.insert(a.value(QLatin1String("Id")).toString(),
                     {a.value(QLatin1String("Type")).toString().section(u'/', -1),
                      ResolveTarget(folder, a.value(QLatin1String("Target")).toString())});
      }
    }
  });
  if (fault) return *fault;
  return found;
}

// How a number shows: whole numbers in a general or numeric format are digits a person typed;
// dates, times and percentages are not.
struct Styles {
  QList<int> formatOfStyle;  // numFmtId by cell style index
  QHash<int, QString> formatCodes;

  bool ShowsAsPlainNumber(int style) const {
    const int id = formatOfStyle.value(style, 0);
    if ((id >= 9 && id <= 10) || (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
        (id >= 50 && id <= 81)) {
      return false;
    }
    QString code = formatCodes.value(id);
    static const QRegularExpression literal(QStringLiteral(R"("[^"]*"|\[[^\]]*\]|\\.)"));
    code.remove(literal);
    return !code.contains(QRegularExpression(QStringLiteral("[dmyhsDMYHS%]")));
  }
};

std::variant<Styles, Fault> ReadStyles(Package& zip, const QString& part) {
  Styles styles;
  if (part.isEmpty()) return styles;
  const auto fault = ReadXmlPart(zip, part, [&](QXmlStreamReader& xml) {
    bool inCellStyles = false;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement() && xml.name() == u"numFmt") {
        styles.formatCodes.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                                  xml.attributes().value(QLatin1String("formatCode")).toString());
      } else if (xml.name() == u"cellXfs") {
        inCellStyles = xml.isStartElement();
      } else if (inCellStyles && xml.isStartElement() && xml.name() == u"xf") {
        styles.formatOfStyle << xml.attributes().value(QLatin1String("numFmtId")).toInt();
      }
    }
  });
  if (fault) return *fault;
  return styles;
}

std::variant<QStringList, Fault> ReadSharedStrings(Package& zip, const QString& part) {
  QStringList strings;
  if (part.isEmpty()) return strings;
  const auto fault = ReadXmlPart(zip, part, [&](QXmlStreamReader& xml) {
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si") strings << ItemText(xml);
    }
  });
  if (fault) return *fault;
  return strings;
}

// "BC12" → column 54 (0-based) and row 12; -1 for what is missing.
std::pair<int, int> CellPosition(QStringView reference) {
  int column = 0;
  qsizetype i = 0;
  for (; i < reference.size() && reference[i].isLetter() && column <= kMaxColumns * 64; ++i) {
    column = column * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
  }
  bool ok = false;
  const int row = reference.mid(i).toInt(&ok);
  return {i == 0 ? -1 : column - 1, ok ? row : -1};
}

SpreadsheetCell NumberCell(const QString& value, bool plain) {
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok || !plain || !std::isfinite(number) || number != std::floor(number) || std::fabs(number) >= 1e15) {
    return {value, true};
  }
  return {QString::number(static_cast<qint64>(number))};
}

struct SheetReader {
  QXmlStreamReader& xml;
  const QStringList& strings;
  const Styles& styles;

  // One <c>: text, a whole number's digits, or notText.
  std::optional<SpreadsheetCell> Cell() {
    const QXmlStreamAttributes a = xml.attributes();
    const QString type = a.value(QLatin1String("t")).toString();
    const int style = a.value(QLatin1String("s")).toInt();
    QString value;
    bool formula = false;
    std::optional<QString> inline_;
    while (xml.readNextStartElement()) {
      if (xml.name() == u"v") {
        value = xml.readElementText();
      } else if (xml.name() == u"is") {
        inline_ = ItemText(xml);
      } else {
        formula |= xml.name() == u"f";
        xml.skipCurrentElement();
      }
    }
    if (type == u"s") {
      bool ok = false;
      const int index = value.toInt(&ok);
      if (!ok || index < 0 || index >= strings.size()) return std::nullopt;
      return SpreadsheetCell{strings[index]};
    }
    if (type == u"inlineStr") return SpreadsheetCell{inline_.value_or(QString())};
    if (type == u"str") return SpreadsheetCell{Unescape(value)};
    if (value.isEmpty() && type.isEmpty()) return SpreadsheetCell{};  // a formatted blank
    if (type.isEmpty() || type == u"n") return NumberCell(value, !formula && styles.ShowsAsPlainNumber(style));
    return SpreadsheetCell{value, true};  // a truth value, an error, a date
  }

  std::variant<std::vector<SpreadsheetRow>, Fault> Rows(const QString& part) {
    std::vector<SpreadsheetRow> rows;
    size_t held = 0;
    int line = 0;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"row") continue;
      const auto r = xml.attributes().value(QLatin1String("r"));
      line = r.isEmpty() ? line + 1 : r.toInt();
      if (line <= (rows.empty() ? 0 : rows.back().line) || line > kMaxSheetRows) return Damaged(part);
      SpreadsheetRow& row = rows.emplace_back(SpreadsheetRow{line, {}});
      int column = -1;
      while (xml.readNextStartElement()) {
        if (xml.name() != u"c") {
          xml.skipCurrentElement();
          continue;
        }
        const auto [at, cellRow] = CellPosition(xml.attributes().value(QLatin1String("r")));
        column = at < 0 ? column + 1 : at;
        const std::optional<SpreadsheetCell> cell = Cell();
        if (!cell || (cellRow >= 0 && cellRow != line)) return Damaged(part);
        if (column >= kMaxColumns) continue;
        if (static_cast<int>(row.cells.size()) <= column) {
          held += static_cast<size_t>(column) + 1 - row.cells.size();
          if (held > kMaxCells) {
            return Fault{QStringLiteral("A planilha tem células demais (mais de 2 milhões) para ser uma lista.")};
          }
          row.cells.resize(static_cast<size_t>(column) + 1);
        }
        row.cells[static_cast<size_t>(column)] = *cell;
      }
      if (row.cells.empty()) rows.pop_back();
    }
    if (xml.hasError()) return Damaged(part);
    return rows;
  }
};

QString FoldedName(const QString& name) { return name.trimmed().toCaseFolded(); }

// The workbook's parts in reading order: the sheet to read, its strings and styles.
struct WorkbookParts {
  QString sheet;
  QString strings;
  QString styles;
};

std::variant<WorkbookParts, Fault> FindParts(Package& zip) {
  QString workbook = QStringLiteral("xl/workbook.xml");
  auto top = ReadRelationships(zip, QString());
  if (auto* fault = std::get_if<Fault>(&top)) return *fault;
  for (const Relationship& r : std::get<0>(top)) {
    if (r.type == u"officeDocument") workbook = r.target;
  }
  auto rels = ReadRelationships(zip, workbook);
  if (auto* fault = std::get_if<Fault>(&rels)) return *fault;
  const QHash<QString, Relationship>& relationships = std::get<0>(rels);
  WorkbookParts parts;
  for (const Relationship& r : relationships) {
    if (r.type == u"sharedStrings") parts.strings = r.target;
    if (r.type == u"styles") parts.styles = r.target;
  }
  const Fault noSheet{QStringLiteral("A pasta de trabalho não tem nenhuma planilha.")};
  if (!zip.Has(workbook)) return noSheet;
  const auto fault = ReadXmlPart(zip, workbook, [&](QXmlStreamReader& xml) {
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"sheet") continue;
      const Relationship r = relationships.value(RelationshipId(xml.attributes()));
      if (r.type != u"worksheet") continue;  // a chart sheet holds no rows
      const bool listas = FoldedName(xml.attributes().value(QLatin1String("name")).toString()) == u"listas";
      if (parts.sheet.isEmpty() || listas) parts.sheet = r.target;
      if (listas) break;
    }
  });
  if (fault) return *fault;
  if (parts.sheet.isEmpty() || !zip.Has(parts.sheet)) return noSheet;
  return parts;
}

std::variant<std::vector<SpreadsheetRow>, Fault> ReadWorkbook(const QByteArray& bytes) {
  Package zip(bytes);
  if (!zip.IsZip()) {
    // A zip starts with a part; its index, which the reader needs, is at the end a cut copy lacks.
    if (bytes.startsWith("PK\x03\x04")) {
      return Fault{QStringLiteral("A pasta de trabalho está incompleta ou danificada: falta o fim do arquivo zip.")};
    }
    return Fault{QStringLiteral("O arquivo não é uma pasta de trabalho do Excel (.xlsx): não é um arquivo zip.")};
  }
  auto found = FindParts(zip);
  if (auto* fault = std::get_if<Fault>(&found)) return *fault;
  const WorkbookParts& parts = std::get<WorkbookParts>(found);
  auto strings = ReadSharedStrings(zip, parts.strings);
  if (auto* fault = std::get_if<Fault>(&strings)) return *fault;
  auto styles = ReadStyles(zip, parts.styles);
  if (auto* fault = std::get_if<Fault>(&styles)) return *fault;
  auto sheet = zip.Read(parts.sheet);
  if (auto* fault = std::get_if<Fault>(&sheet)) return *fault;
  QXmlStreamReader xml(std::get<QByteArray>(sheet));
  return SheetReader{xml, std::get<QStringList>(strings), std::get<Styles>(styles)}.Rows(parts.sheet);
}

}  // namespace

std::optional<QString> FormatXlsx(const Lists& lists, QByteArray& workbook) {
  // libxlsxwriter writes to a file and keeps its own scratch files: both in a
  // folder of ours, whose name the C library can open on every system.
  const QTemporaryDir dir;
  if (!dir.isValid()) return dir.errorString();
  const QByteArray folder = QFile::encodeName(dir.path());
  const QByteArray path = folder + "/listas.xlsx";
  lxw_workbook_options options{LXW_FALSE, const_cast<char*>(folder.constData()), LXW_FALSE};
  lxw_workbook* book = workbook_new_opt(path.constData(), &options);
  if (!book) return QStringLiteral("não foi possível criar a pasta de trabalho");
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Listas");
  lxw_format* text = workbook_add_format(book);
  format_set_num_format(text, "@");  // what a person types later stays text too
  lxw_format* header = workbook_add_format(book);
  format_set_num_format(header, "@");
  format_set_bold(header);

  const std::vector<QStringList> table = SpreadsheetTable(lists);
  std::vector<qsizetype> widths(static_cast<size_t>(table.front().size()), 0);
  lxw_error error = LXW_NO_ERROR;
  for (size_t r = 0; r < table.size() && error == LXW_NO_ERROR; ++r) {
    for (qsizetype c = 0; c < table[r].size() && error == LXW_NO_ERROR; ++c) {
      const QString& cell = table[r][c];
      widths[static_cast<size_t>(c)] = std::max(widths[static_cast<size_t>(c)], cell.size());
      if (cell.isEmpty()) continue;
      error = worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                     XlsxText(cell).constData(), r == 0 ? header : text);
    }
  }
  for (size_t c = 0; c < widths.size(); ++c) {
    // In characters, with room for the bold header.
    worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                         static_cast<double>(std::max<qsizetype>(widths[c] + 2, 6)), text);
  }
  worksheet_freeze_panes(sheet, 1, 0);
  const lxw_error closed = workbook_close(book);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR) return QString::fromUtf8(lxw_strerror(error));
  QFile file(dir.filePath(QStringLiteral("listas.xlsx")));
  if (!file.open(QIODevice::ReadOnly)) return file.errorString();
  workbook = file.readAll();
  return std::nullopt;
}

SpreadsheetImport ParseXlsx(const QByteArray& bytes) {
  auto rows = ReadWorkbook(bytes);
  if (auto* fault = std::get_if<Fault>(&rows)) return Refused(fault->reason);
  return ImportSpreadsheetRows(std::get<std::vector<SpreadsheetRow>>(rows));
}

}  // namespace zelkor
