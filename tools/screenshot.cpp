// Renders the main window to a PNG, for the README, the manual and for
// looking at the layout. Under a window manager a picture carries the frame
// it gets there, so a box shows its title. An optional second argument names
// a scene, played through the window's own commands:
//   lists     — linha1.zlk open, its port chosen: a simulated PLC behind Porta # 01
//   variables — the same, the third variable selected
//   error     — a line with a wrong address saved; the message box goes to
//               OUTPUT-message.png
//   alarms    — the same file on the "Alarmes" tab, the second alarm selected
//   about     — the "Sobre" tab
//   question  — the question on closing with unsaved lists, to OUTPUT-message.png
//   progress  — a verified write of 255 variables and 255 alarms under way
//   monitor   — the "Monitor" tab after a write of linha1.zlk whose third frame a
//               character flipped on the line: the PLC's NAK and its code
//   search    — "Localizar CLP" waiting on a silent port
//   warning   — the warnings before a write, to OUTPUT-message.png
//   found     — "Localizar CLP" past a silent Porta # 01 to the PLC on
//               Porta # 02; its box to OUTPUT-message.png
//   compare   — "Compara CLP" against a PLC that holds other lists; the
//               dialog to OUTPUT-message.png
//   sheet     — linha1.zlk's printed sheet, as PaintSheet draws it, to
//               OUTPUT-sheet.pdf (printed on a fixed date, so the picture
//               only changes with the sheet)
//   manual    — the help window at what to do when the PLC does not answer,
//               to OUTPUT-message.png
// and an optional third, the window's size (1280x900); without it, its first size.
#include "PlcSimulator.h"
#include "commands/AlarmEditor.h"
#include "commands/EditorLifecycle.h"
#include "commands/FileCommands.h"
#include "commands/ListEditing.h"
#include "commands/PlcCommands.h"
#include "commands/PlcCompare.h"
#include "commands/VariableEditor.h"
#include "formats/ParameterFile.h"
#include "formats/Sheet.h"
#include "link/QtSerialPort.h"
#include "ui/ComparisonDialog.h"
#include "ui/FormPrincipal.h"
#include "ui/HelpWindow.h"
#include "ui/QtMessageService.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

// Keeps the last message instead of blocking on it, so the scene can go on.
class KeepLastMessage final : public zelkor::MessageService {
 public:
  zelkor::Answer Show(const zelkor::Message& message) override {
    last = message;
    return zelkor::Answer::Ok;
  }
  std::optional<zelkor::Message> last;
};

// Keeps the comparison instead of showing it; answers "Fechar".
class KeepComparison final : public zelkor::ComparisonView {
 public:
  bool Show(const QString& title, const zelkor::PlcComparison& comparison) override {
    shown = {title, comparison};
    return false;
  }
  std::optional<std::pair<QString, zelkor::PlcComparison>> shown;
};

// A scene never waits on a file dialog: each one is cancelled.
class CancelFileDialogs final : public zelkor::FileDialogService {
 public:
  zelkor::FileDialogResult Show(const zelkor::FileDialogRequest& /*request*/) override { return {}; }
};

// The scene's serial ports: the simulated PLCs linked into a folder of their own stand where a technician's adapters
// would, under /dev; and a line that flips one character of one frame, as a noisy cable does.
class ScenePort final : public zelkor::SerialPort {
 public:
  explicit ScenePort(const QString& folder) : folder_(folder), port_(zelkor::PortDirectory(folder, folder)) {
    connect(&port_, &SerialPort::ReadyRead, this, &SerialPort::ReadyRead);
    connect(&port_, &SerialPort::Lost, this, &SerialPort::Lost);
  }
  void FlipOneCharacterOfWrite(int n) { noisyWrite_ = n; }

  void Close() override { port_.Close(); }
  zelkor::OpenResult Open(int portNumber) override { return port_.Open(portNumber); }
  bool IsOpen() const override { return port_.IsOpen(); }
  bool Write(const QByteArray& bytes, QString* error) override {
    QByteArray sent = bytes;
    if (++writes_ == noisyWrite_ && sent.size() > 20) sent[20] = sent[20] == '0' ? '1' : '0';  // a data digit
    return port_.Write(sent, error);
  }
  bool ReadByte(char* byte) override { return port_.ReadByte(byte); }
  QByteArray PeekWaiting() override { return port_.PeekWaiting(); }
  QByteArray DiscardWaiting() override { return port_.DiscardWaiting(); }
  QString DeviceFor(int portNumber) const override {
    QString device = port_.DeviceFor(portNumber);
    if (device.startsWith(folder_)) device.replace(0, folder_.size(), QStringLiteral("/dev"));
    return device;
  }

 private:
  QString folder_;
  zelkor::QtSerialPort port_;
  int writes_ = 0;
  int noisyWrite_ = -1;
};

void SaveLine(zelkor::FormPrincipal& window, const QString& grupo, const QString& texto, const QString& unidade,
              const QString& endereco, bool editavel) {
  window.Run([&] {
    auto& s = window.State();
    s.variablePage.entry = {{{grupo}, {texto}, {unidade}, {endereco}}};
    s.variablePage.editable = editavel;
    zelkor::IncludeVariableLine(s);
  });
}

// linha1.zlk: a few variables over three groups and a few alarms.
zelkor::Lists SampleLists() {
  const char* variables[][4] = {{"0", "TEMP", "°C", "D100"},
                                {"0", "PRESSÃO", "bar", "D102"},
                                {"1", "NÍVEL", "%", "C12"},
                                {"1", "VAZÃO", "l/s", "D110"},
                                {"2", "CONTADOR", "pç", "C20"}};
  const char* alarms[][2] = {{"BOMBA", "FALHA"}, {"MOTOR 1", "SOBRECAR"}, {"NÍVEL", "BAIXO"}};
  zelkor::Lists lists;
  for (const auto& v : variables) {
    const bool editable = lists.variables.size() % 2 == 1;
    lists.variables.push_back(
        {QString::fromUtf8(v[0]), QString::fromUtf8(v[1]), QString::fromUtf8(v[2]), QString::fromUtf8(v[3]), editable});
  }
  for (const auto& a : alarms)
    lists.alarms << zelkor::ComposeAlarmText(QString::fromUtf8(a[0]), QString::fromUtf8(a[1]));
  return lists;
}

// A full image: 255 variables and 255 alarms.
zelkor::Lists FullLists() {
  zelkor::Lists lists;
  for (int i = 0; i < zelkor::kMaxRows; ++i) {
    lists.variables.push_back(
        {QStringLiteral("0"), QStringLiteral("VALOR %1").arg(i + 1), {}, QStringLiteral("D%1").arg(i), false});
    lists.alarms << zelkor::ComposeAlarmText(QStringLiteral("ALARME"), QString::number(i + 1));
  }
  return lists;
}

QString WriteFile(const QTemporaryDir& folder, const QString& name, const zelkor::Lists& lists) {
  const QString path = folder.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(zelkor::FormatParameterFile(lists)) < 0) {
    std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  }
  return path;
}

// The frames "Grava CLP" sends for `lists`, already taken by the PLC.
void Preload(zelkor::sim::PlcSimulator& plc, const zelkor::Lists& lists) {
  for (const zelkor::FrameRequest& write : zelkor::ImageWrites(lists)) plc.Respond(zelkor::BuildFrame(write));
}

// Plugs a simulated PLC in as the device `name` of the scene's folder.
void PlugIn(zelkor::sim::PlcSimulator& plc, const QTemporaryDir& devices, const QString& name) {
  QString error;
  if (!QFile::link(plc.Open({}, &error), devices.filePath(name))) std::fprintf(stderr, "%s\n", qPrintable(error));
}

// Calls `then` once the window manager has framed `widget`, or after two seconds without one.
void WhenFramed(QWidget& widget, const std::function<void()>& then, int triesLeft = 20) {
  if (widget.frameGeometry() != widget.geometry() || triesLeft == 0) return then();
  QTimer::singleShot(100, &widget, [&widget, then, triesLeft] { WhenFramed(widget, then, triesLeft - 1); });
}

// The widget with the frame the window manager gave it; without one, the widget alone.
QPixmap GrabFramed(QWidget& widget) {
  const QRect frame = widget.frameGeometry();
  QPixmap shot = widget.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  return shot.isNull() ? widget.grab() : shot;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  zelkor::InstallPortugueseTranslation(app);
  if (argc < 2) {
    std::fputs(
        "usage: zelkor-screenshot OUTPUT.png "
        "[lists|variables|error|alarms|about|question|progress|monitor|search|warning|found|compare|sheet|manual] "
        "[WIDTHxHEIGHT]\n",
        stderr);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString scene = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  auto is = [&scene](const char* name) { return scene == QLatin1String(name); };

  QTemporaryDir files;    // where the scene's parameter files are
  QTemporaryDir devices;  // where the simulated PLCs plug in
  KeepLastMessage messages;
  KeepComparison comparisons;
  CancelFileDialogs fileDialogs;
  zelkor::sim::PlcSimulator plc({.delayMs = 15, .pace = true});
  zelkor::sim::PlcSimulator silent({.silent = true});
  ScenePort port(devices.path());
  zelkor::QtDeadline deadline;
  zelkor::FormPrincipal window({messages, fileDialogs, port, deadline, &comparisons});
  if (argc > 3) {
    const QStringList size = QString::fromLocal8Bit(argv[3]).split(u'x');
    window.resize(size.value(0).toInt(), size.value(1).toInt());
  }
  window.show();

  // The pictures, once the scene has come to rest: the window, then the box or dialog it ended in.
  bool saved = true;
  auto save = [&saved](const QPixmap& picture, const QString& path) {
    if (!picture.save(path)) {
      std::fprintf(stderr, "could not write %s\n", qPrintable(path));
      saved = false;
    }
  };
  std::unique_ptr<QWidget> last;
  auto shoot = [&] {
    save(GrabFramed(window), output);
    QString lastPath = output;
    lastPath.replace(QStringLiteral(".png"), QStringLiteral("-message.png"));
    if (is("sheet")) {
      zelkor::SheetContent sheet = zelkor::SheetOf(zelkor::SheetSource(window.State().source), window.State().lists);
      sheet.printedAt = QDateTime(QDate(2025, 3, 14), QTime(9, 30));
      QString pdf = output;
      pdf.replace(QStringLiteral(".png"), QStringLiteral("-sheet.pdf"));
      if (const auto error = zelkor::WriteSheetPdf(pdf, sheet)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        saved = false;
      }
    }
    if (is("manual")) {  // what "Ajuda" on "CLP não responde!" opens
      auto help = std::make_unique<zelkor::HelpWindow>();
      help->resize(900, 640);
      help->Open(zelkor::MessagePage(zelkor::HelpAnchor(zelkor::MessageHelp::PlcNotResponding)));
      last = std::move(help);
    } else if (comparisons.shown) {
      last = zelkor::BuildComparisonDialog(comparisons.shown->first, comparisons.shown->second, &window);
    } else if (messages.last) {
      last = zelkor::BuildMessageBox(*messages.last, &window);
    }
    if (!last) return QApplication::exit(saved ? 0 : 1);
    last->show();
    WhenFramed(*last, [&, lastPath] {
      QTimer::singleShot(300, [&, lastPath] {  // painted
        save(GrabFramed(*last), lastPath);
        QApplication::exit(saved ? 0 : 1);
      });
    });
  };
  auto shootSoon = [&](int ms = 300) { QTimer::singleShot(ms, [&] { WhenFramed(window, shoot); }); };
  auto shootWhenDone = [&](zelkor::PlcResult /*result*/) { shootSoon(); };

  if (is("lists") || is("variables") || is("alarms") || is("monitor") || is("compare") || is("sheet")) {
    PlugIn(plc, devices, QStringLiteral("ttyUSB0"));
    const QString path = WriteFile(files, QStringLiteral("linha1.zlk"), SampleLists());
    window.Run([&] {
      zelkor::OpenFileAt(window.State(), path);
      zelkor::ChoosePort(window.State(), 0);
    });
  }
  if (is("variables")) window.Run([&] { zelkor::SelectVariableLine(window.State(), 3); });
  if (is("error") || is("question")) {
    SaveLine(window, QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("°C"), QStringLiteral("D100"), false);
  }
  if (is("error")) {
    SaveLine(window, QStringLiteral("1"), QStringLiteral("NÍVEL"), QStringLiteral("%"), QStringLiteral("C12"), true);
    SaveLine(window, QStringLiteral("2"), QStringLiteral("VAZÃO"), QStringLiteral("l/s"), QStringLiteral("t300"),
             false);
  }
  if (is("alarms")) {
    window.Run([&] {
      window.State().currentTab = 1;
      zelkor::SelectAlarmLine(window.State(), 2);
    });
  }
  if (is("about")) window.Run([&] { window.State().currentTab = 2; });
  if (is("progress")) {
    PlugIn(plc, devices, QStringLiteral("ttyUSB0"));
    const QString path = WriteFile(files, QStringLiteral("linha2.zlk"), FullLists());
    window.Run([&] {
      zelkor::OpenFileAt(window.State(), path);
      window.State().link.verifyWrites = true;
      zelkor::ChoosePort(window.State(), 0);
      zelkor::WriteToPlc(window.State());
    });
  }
  if (is("monitor")) {
    port.FlipOneCharacterOfWrite(3);
    window.Run([&] {
      zelkor::WriteToPlc(window.State(), [&](zelkor::PlcResult result) {
        window.Run([&] { window.State().currentTab = 3; });
        shootWhenDone(result);
      });
    });
  }
  if (is("search")) {
    PlugIn(silent, devices, QStringLiteral("ttyUSB0"));
    window.Run([&] { zelkor::FindPlc(window.State()); });
  }
  if (is("found")) {
    PlugIn(silent, devices, QStringLiteral("ttyUSB0"));
    PlugIn(plc, devices, QStringLiteral("ttyUSB1"));
    window.Run([&] { zelkor::FindPlc(window.State(), shootWhenDone); });
  }
  if (is("compare")) {  // the PLC has an older PRESSÃO, no CONTADOR and another third alarm
    zelkor::Lists older = SampleLists();
    older.variables[1].endereco = QStringLiteral("D104");
    older.variables.pop_back();
    older.alarms[2] = zelkor::ComposeAlarmText(QStringLiteral("NÍVEL"), QStringLiteral("ALTO"));
    Preload(plc, older);
    window.Run([&] { zelkor::CompareWithPlc(window.State(), comparisons, shootWhenDone); });
  }
  if (is("warning")) {
    SaveLine(window, QStringLiteral("0"), QStringLiteral("PRESSÃO"), QStringLiteral("bar"), QStringLiteral("D4480"),
             true);
    SaveLine(window, QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("°C"), QStringLiteral("D100"), false);
    SaveLine(window, QStringLiteral("1"), QStringLiteral("NÍVEL"), QStringLiteral("%"), QStringLiteral("d0100"), false);
    window.Run([&] { zelkor::WriteToPlc(window.State()); });
  }
  if (is("question")) {  // the close question, in Qt's Portuguese
    window.Run([&] { static_cast<void>(zelkor::CloseRequest(window.State())); });
  }
  if (is("progress")) {
    shootSoon(1500);  // some way into the write, as its frame shows it
  } else if (!is("monitor") && !is("found") && !is("compare")) {
    shootSoon();
  }
  return QApplication::exec();
}
