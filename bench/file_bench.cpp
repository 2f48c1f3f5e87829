// Opening and saving parameter files: the largest real one (255 + 255 rows),
// 100,000 lines (the most accepted), and a 1,000,000-line file, which is
// refused; the same lists as a CSV and as a workbook, and a workbook of
// 100,000 rows, which is refused. Times are the median of several runs.
#include "commands/EditorLifecycle.h"
#include "formats/Csv.h"
#include "formats/ListsFile.h"
#include "formats/ParameterFile.h"
#include "formats/Xlsx.h"
#include "link/QtSerialPort.h"
#include "support/Zip.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

class Quiet final : public zelkor::MessageService, public zelkor::FileDialogService {
 public:
  zelkor::Answer Show(const zelkor::Message& m) override {
    last = zelkor::TitleText(m.title);
    return zelkor::Answer::Ok;
  }
  zelkor::FileDialogResult Show(const zelkor::FileDialogRequest&) override { return {}; }
  QString last;
};

double MedianMs(int runs, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer t;
    t.start();
    step();
    times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

QString MakeFile(const QString& path, int variables, int alarms) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  QByteArray bytes;
  for (int i = 0; i < variables; ++i) bytes += "0TEMP    C  D0100SimV\r\n";
  for (int i = 0; i < alarms; ++i) bytes += "MOTOR 1 FALHA       A\r\n";
  f.write(bytes);
  return path;
}

// What opening does to the lists, without the window's question and history.
void Open(zelkor::Editor& state, const QString& path) {
  if (const auto read = zelkor::ReadListsFile(path, zelkor::ListsFileKind::Parameters); read.lists) {
    zelkor::ReplaceLists(state, *read.lists);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  Quiet messages;
  zelkor::QtSerialPort port;  // never opened
  zelkor::QtDeadline deadline;
  zelkor::Editor state(messages, messages, port, deadline);
  zelkor::StartUp(state);

  struct Case {
    const char* label;
    int variables;
    int alarms;
  };
  for (const Case& c : {Case{"255 + 255 rows", 255, 255}, Case{"100,000 lines (the most accepted)", 50000, 50000},
                        Case{"1,000,000 lines (refused)", 500000, 500000}}) {
    const QString path = MakeFile(dir.filePath(QStringLiteral("in.zlk")), c.variables, c.alarms);
    const double open = MedianMs(5, [&] { Open(state, path); });
    std::printf("open %-32s %8.2f ms  -> %d variables, %d alarms%s%s\n", c.label, open,
                static_cast<int>(state.lists.variables.size()), static_cast<int>(state.lists.alarms.size()),
                messages.last.isEmpty() ? "" : "; message: ", messages.last.toUtf8().constData());
    messages.last.clear();
  }
  Open(state, MakeFile(dir.filePath(QStringLiteral("in.zlk")), 255, 255));
  const QString out = dir.filePath(QStringLiteral("out.zlk"));
  const double save = MedianMs(5, [&] { static_cast<void>(zelkor::WriteParameterFile(out, state.lists)); });
  std::printf("save 255 + 255 rows                      %8.2f ms\n", save);

  QByteArray workbook;
  const double exportXlsx = MedianMs(5, [&] { static_cast<void>(zelkor::FormatXlsx(state.lists, workbook)); });
  const double importXlsx = MedianMs(5, [&] { static_cast<void>(zelkor::ParseXlsx(workbook)); });
  const QByteArray csv = zelkor::FormatCsv(state.lists);
  const double importCsv = MedianMs(5, [&] { static_cast<void>(zelkor::ParseCsv(csv)); });
  std::printf("workbook 255 + 255 rows: export %.2f ms (%lld bytes), import %.2f ms; CSV import %.2f ms\n", exportXlsx,
              static_cast<long long>(workbook.size()), importXlsx, importCsv);
  QByteArray sheet = "<worksheet><sheetData>";
  for (int r = 1; r <= 100000; ++r) {
    sheet += "<row r='" + QByteArray::number(r) + "'><c t='inlineStr'><is><t>" + (r == 1 ? "Tipo" : "A") +
             "</t></is></c><c t='inlineStr'><is><t>" + (r == 1 ? "Texto 1" : "MOTOR") + "</t></is></c></row>";
  }
  const QByteArray many = zelkor::testing::StoredZip(
      {{"xl/workbook.xml", "<workbook xmlns:r='r'><sheets><sheet name='Listas' r:id='a'/></sheets></workbook>"},
       {"xl/_rels/workbook.xml.rels",
        "<Relationships><Relationship Id='a' Type='/worksheet' Target='s.xml'/></Relationships>"},
       {"xl/s.xml", sheet + "</sheetData></worksheet>"}});
  zelkor::SpreadsheetImport refused;
  const double importMany = MedianMs(3, [&] { refused = zelkor::ParseXlsx(many); });
  std::printf("workbook of 100,000 rows (%lld bytes): import %.2f ms -> %s\n", static_cast<long long>(many.size()),
              importMany, zelkor::TitleText(refused.message.title).toUtf8().constData());
  return 0;
}
