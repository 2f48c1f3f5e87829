// The workbook reader: any bytes are refused or read without a crash, and what
// an accepted workbook holds exports and imports back as the same rows. A zip
// checks its parts' CRCs, so mutated zips rarely reach the XML: an input that
// starts with '<' is taken as a worksheet and packed into a workbook here.
#include "formats/Xlsx.h"
#include "support/Zip.h"

#include <cstdlib>

namespace {

QByteArray AsWorkbook(const QByteArray& sheet) {
  return zelkor::testing::StoredZip(
      {{"xl/workbook.xml", "<workbook xmlns:r='r'><sheets><sheet name='Listas' r:id='a'/></sheets></workbook>"},
       {"xl/_rels/workbook.xml.rels",
        "<Relationships><Relationship Id='a' Type='/worksheet' Target='s.xml'/>"
        "<Relationship Id='b' Type='/sharedStrings' Target='t.xml'/>"
        "<Relationship Id='c' Type='/styles' Target='y.xml'/></Relationships>"},
       {"xl/s.xml", sheet},
       {"xl/t.xml", "<sst><si><t>Tipo</t></si><si><t>Texto 1</t></si><si><r><t>V</t></r></si><si><t>A</t></si></sst>"},
       {"xl/y.xml", "<styleSheet><cellXfs><xf numFmtId='0'/><xf numFmtId='14'/></cellXfs></styleSheet>"}});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (bytes.startsWith('<')) bytes = AsWorkbook(bytes);
  const zelkor::SpreadsheetImport first = zelkor::ParseXlsx(bytes);
  if (!first.Ok()) return 0;
  QByteArray workbook;
  if (zelkor::FormatXlsx(first.lists, workbook)) std::abort();
  const zelkor::SpreadsheetImport again = zelkor::ParseXlsx(workbook);
  if (!again.Ok() || again.lists != first.lists) std::abort();
  return 0;
}
