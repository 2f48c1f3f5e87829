// Renders the main window to a PNG, for the README and for looking at the
// layout. An optional second argument names a scene, played through the
// window's own commands:
//   lists  — a few variables, the second one selected
//   error  — a line with a wrong address saved; the message box goes to
//            OUTPUT-message.png
//   alarms — the "Alarmes" tab with a few alarms, the second one selected
//   about  — the "Sobre" tab
//   question — the question on closing with unsaved lists, to OUTPUT-message.png
//   progress — a transfer under way
//   monitor  — the "Monitor" tab after a port that failed to open
//   search   — "Localizar CLP" waiting on a silent port
//   warning  — the warnings before a write, to OUTPUT-message.png
// and an optional third, the window's size (1280x900); without it, its first size.
#include "PlcSimulator.h"
#include "commands/AlarmEditor.h"
#include "commands/EditorLifecycle.h"
#include "commands/ListEditing.h"
#include "commands/PlcCommands.h"
#include "commands/VariableEditor.h"
#include "link/QtSerialPort.h"
#include "ui/FormPrincipal.h"
#include "ui/QtFileDialog.h"
#include "ui/QtMessageService.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
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

void SaveLine(zelkor::FormPrincipal& window, const QString& grupo, const QString& texto, const QString& unidade,
              const QString& endereco, bool editavel) {
  window.Run([&] {
    auto& s = window.State();
    s.variablePage.entry = {{{grupo}, {texto}, {unidade}, {endereco}}};
    s.variablePage.editable = editavel;
    zelkor::IncludeVariableLine(s);
  });
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  zelkor::InstallPortugueseTranslation(app);
  if (argc < 2) {
    std::fputs(
        "usage: zelkor-screenshot OUTPUT.png [lists|error|alarms|about|question|progress|monitor|search|warning] "
        "[WIDTHxHEIGHT]\n",
        stderr);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString scene = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

  KeepLastMessage messages;
  zelkor::QtFileDialog files;
  QTemporaryDir devices;  // where the simulated PLC of the progress scene plugs in
  zelkor::sim::PlcSimulator plc({.delayMs = 40});
  zelkor::sim::PlcSimulator silent({.silent = true});
  zelkor::QtSerialPort port(zelkor::PortDirectory(devices.path(), devices.path()));
  zelkor::QtDeadline deadline;
  zelkor::FormPrincipal window({messages, files, port, deadline});
  if (argc > 3) {
    const QStringList size = QString::fromLocal8Bit(argv[3]).split(u'x');
    window.resize(size.value(0).toInt(), size.value(1).toInt());
  }
  window.show();
  if (scene == QStringLiteral("lists") || scene == QStringLiteral("error")) {
    SaveLine(window, QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("°C"), QStringLiteral("D100"), false);
    SaveLine(window, QStringLiteral("1"), QStringLiteral("NÍVEL"), QStringLiteral("%"), QStringLiteral("C12"), true);
    SaveLine(window, QStringLiteral("0"), QStringLiteral("PRESSÃO"), QStringLiteral("bar"), QStringLiteral("D102"),
             true);
  }
  if (scene == QStringLiteral("lists")) {
    window.Run([&] {
      zelkor::SelectVariableLine(window.State(), 2);
      window.State().link.portIndex = 0;
    });
  }
  if (scene == QStringLiteral("error")) {
    SaveLine(window, QStringLiteral("2"), QStringLiteral("VAZÃO"), QStringLiteral("l/s"), QStringLiteral("t300"),
             false);
  }
  if (scene == QStringLiteral("alarms")) {
    const char* alarms[][2] = {{"BOMBA", "FALHA"}, {"MOTOR 1", "SOBRECAR"}, {"NÍVEL", "BAIXO"}};
    for (const auto& a : alarms) {
      window.Run([&] {
        auto& s = window.State();
        s.currentTab = 1;
        s.alarmPage.entry[0].text = QString::fromUtf8(a[0]);
        s.alarmPage.entry[1].text = QString::fromUtf8(a[1]);
        zelkor::IncludeAlarmLine(s);
      });
    }
    window.Run([&] { zelkor::SelectAlarmLine(window.State(), 2); });
  }
  if (scene == QStringLiteral("about")) window.Run([&] { window.State().currentTab = 2; });
  if (scene == QStringLiteral("progress")) {  // a transfer under way, as its frame shows it
    // A simulated PLC that takes 40 ms an answer, behind "Porta # 01".
    QString error;
    QFile::link(plc.Open({}, &error), devices.path() + QStringLiteral("/ttyUSB0"));
    window.Run([&] {
      for (int i = 0; i < 255; ++i) window.State().lists.alarms << QStringLiteral("ALARME %1").arg(i);
      zelkor::ShowAlarmCount(window.State());
      zelkor::UpdateReservedMemory(window.State());
      window.State().link.portIndex = 0;
      zelkor::ChoosePort(window.State(), 0);
      zelkor::WriteToPlc(window.State());
    });
  }
  if (scene == QStringLiteral("monitor")) {  // what a failed port choice and a write to no port leave on the monitor
    SaveLine(window, QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("°C"), QStringLiteral("D100"), false);
    window.Run([&] {
      zelkor::ChoosePort(window.State(), 15);
      zelkor::WriteToPlc(window.State());
      window.State().currentTab = 3;
    });
  }
  if (scene == QStringLiteral("search")) {
    QString error;
    QFile::link(silent.Open({}, &error), devices.path() + QStringLiteral("/ttyUSB0"));
    window.Run([&] { zelkor::FindPlc(window.State()); });
  }
  if (scene == QStringLiteral("warning")) {
    SaveLine(window, QStringLiteral("0"), QStringLiteral("PRESSÃO"), QStringLiteral("bar"), QStringLiteral("D4480"),
             true);
    SaveLine(window, QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("°C"), QStringLiteral("D100"), false);
    SaveLine(window, QStringLiteral("1"), QStringLiteral("NÍVEL"), QStringLiteral("%"), QStringLiteral("d0100"), false);
    window.Run([&] { zelkor::WriteToPlc(window.State()); });
  }
  if (scene == QStringLiteral("question")) {  // the close question, in Qt's Portuguese
    SaveLine(window, QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("°C"), QStringLiteral("D100"), false);
    window.Run([&] { static_cast<void>(zelkor::CloseRequest(window.State())); });
  }
  QTimer::singleShot(300, [&] {
    bool saved = window.grab().save(output);
    if (saved && messages.last) {
      QString boxPath = output;
      boxPath.replace(QStringLiteral(".png"), QStringLiteral("-message.png"));
      const auto box = zelkor::BuildMessageBox(*messages.last, &window);
      box->show();
      saved = box->grab().save(boxPath);
    }
    if (!saved) std::fprintf(stderr, "could not write %s\n", argv[1]);
    QApplication::exit(saved ? 0 : 1);
  });
  return QApplication::exec();
}
