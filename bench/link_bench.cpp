// Grava CLP and Lê CLP against the simulated PLC (its own process, on a
// pseudo-terminal), with the link alone and with the whole window, whose
// progress bar and line monitor follow every frame:
//  1. 255 variables + 255 alarms with instant answers: total time, and the
//     editor's CPU time per frame (its software overhead);
//  2. answers delayed by 50 ms: the editor's CPU time while it waits, as a
//     share of the waiting time.
//  3. with --waiting, on the display it is given (scripts/bench: Xvfb, with
//     and without the accessibility bridge): a write whose answers come after
//     100 ms each, with the "Variáveis" page showing and with the monitor's;
//     the whole process's CPU as a share of the time.
// Usage: zelkor-link-bench PATH/TO/zelkor-plcsim [--waiting]
#include "commands/EditorLifecycle.h"
#include "commands/FileDialog.h"
#include "commands/PlcCommands.h"
#include "link/PlcLink.h"
#include "link/QtSerialPort.h"
#include "ui/FormPrincipal.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

class Quiet final : public zelkor::MessageService, public zelkor::FileDialogService {
 public:
  zelkor::Answer Show(const zelkor::Message& m) override {
    last = m;
    ++count;
    return zelkor::Answer::No;
  }
  zelkor::FileDialogResult Show(const zelkor::FileDialogRequest&) override { return {}; }
  zelkor::Message last;
  int count = 0;
};

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Run {
  double wallMs;
  double cpuMs;
  int frames;
  QString message;
};

// One write, then one read, of the lists; with `window`, through the window
// with its monitor tab showing.
std::pair<Run, Run> Transfers(const QString& plcsim, const QStringList& simArgs, int variables, int alarms, bool window,
                              int tab = 3, bool verify = false) {
  QTemporaryDir devices;
  QProcess sim;
  sim.start(plcsim, simArgs + QStringList{QStringLiteral("--link"), devices.path() + QStringLiteral("/ttyUSB0")});
  if (!sim.waitForStarted(5000) || !QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000)) {
    std::fprintf(stderr, "plcsim did not start\n");
    std::exit(1);
  }
  sim.readLine();

  Quiet quiet;
  zelkor::QtSerialPort port(zelkor::PortDirectory(devices.path(), devices.path()));
  zelkor::QtDeadline deadline;
  std::unique_ptr<zelkor::FormPrincipal> form;
  std::unique_ptr<zelkor::Editor> bare;
  if (window) {
    form = std::make_unique<zelkor::FormPrincipal>(zelkor::Platform{quiet, quiet, port, deadline});
    form->show();
    form->Run([&] { form->State().currentTab = tab; });
  } else {
    bare = std::make_unique<zelkor::Editor>(quiet, quiet, port, deadline);
    zelkor::StartUp(*bare);
  }
  zelkor::Editor& state = window ? form->State() : *bare;
  for (int i = 0; i < variables; ++i) {
    state.lists.variables.push_back({QStringLiteral("0"), QStringLiteral("VAR%1").arg(i), QStringLiteral("un"),
                                     QStringLiteral("D%1").arg(i), true});
  }
  for (int i = 0; i < alarms; ++i) state.lists.alarms << QStringLiteral("ALARME %1").arg(i);
  zelkor::ShowVariableCount(state);
  zelkor::ShowAlarmCount(state);
  zelkor::ChoosePort(state, 0);
  state.link.verifyWrites = verify;
  QTest::qWait(300);  // the window's first paint is not the link's cost

  auto measure = [&](auto&& command) {
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // Events as they come, not QTest::qWaitFor, which sleeps 10 ms between
    // looks; a command ends with its message (a verified write, after two transfers).
    const int before = quiet.count;
    command();
    while (quiet.count == before) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double wallMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
    QTest::qWait(300);  // the monitor's last batch belongs to the cost, not to the time
    return Run{wallMs, (CpuSeconds() - cpu0) * 1000.0, 1 + variables + alarms, quiet.last.text};
  };
  const Run write = measure([&] { zelkor::WriteToPlc(state); });
  const Run read = measure([&] { zelkor::ReadFromPlc(state); });
  sim.terminate();
  sim.waitForFinished(5000);
  return {write, read};
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool waiting = argc > 2 && QByteArray(argv[2]) == "--waiting";
  if (!waiting && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: zelkor-link-bench PATH/TO/zelkor-plcsim [--waiting]\n", stderr);
    return 2;
  }
  const QString plcsim = QString::fromLocal8Bit(argv[1]);
  if (waiting) {
    for (const auto& [tab, page] : {std::pair{0, "Variáveis"}, {3, "Monitor"}}) {
      const Run write = Transfers(plcsim, {QStringLiteral("--delay"), QStringLiteral("100")}, 40, 0, true, tab).first;
      std::printf(
          "real window (%s), accessibility bridge %s, page %s: %d frames answered after 100 ms each in %.0f ms; "
          "process CPU %.1f ms = %.2f %% of a core\n",
          QGuiApplication::platformName().toUtf8().constData(), QAccessible::isActive() ? "on" : "off", page,
          write.frames, write.wallMs, write.cpuMs, 100.0 * write.cpuMs / write.wallMs);
    }
    return 0;
  }
  // What "Verificar após gravar" adds, the PLC answering at the pace of a 19200-baud line.
  for (const bool verify : {false, true}) {
    const Run write = Transfers(plcsim, {QStringLiteral("--pace")}, 255, 255, false, 3, verify).first;
    std::printf("write of 255 + 255 rows, answers at 19200 baud, %s: %.0f ms; \"%s\"\n",
                verify ? "verified" : "not verified", write.wallMs, write.message.toUtf8().constData());
  }
  for (const bool window : {false, true}) {
    const char* how = window ? "window with monitor" : "link alone";
    for (int round = 1; round <= 3; ++round) {
      const auto [write, read] = Transfers(plcsim, {}, 255, 255, window);
      for (const auto& [what, run] : {std::pair{"write", write}, {"read", read}}) {
        std::printf(
            "%s, %s, instant answers, round %d: %d frames in %.1f ms; editor CPU %.1f ms = %.3f ms a frame; \"%s\"\n",
            how, what, round, run.frames, run.wallMs, run.cpuMs, run.cpuMs / run.frames,
            run.message.toUtf8().constData());
      }
    }
    const auto [write, read] = Transfers(plcsim, {QStringLiteral("--delay"), QStringLiteral("50")}, 20, 19, window);
    for (const auto& [what, run] : {std::pair{"write", write}, {"read", read}}) {
      const double waitingMs = run.frames * 50.0;
      std::printf(
          "%s, %s, answers delayed 50 ms: %d frames in %.1f ms; editor CPU %.2f ms for %.0f ms of waiting = %.3f %%\n",
          how, what, run.frames, run.wallMs, run.cpuMs, waitingMs, 100.0 * run.cpuMs / waitingMs);
    }
  }
  return 0;
}
