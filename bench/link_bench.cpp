// Grava CLP against the simulated PLC (its own process, on a pseudo-terminal):
//  1. 255 variables + 255 alarms with instant answers: total time, and the
//     editor's CPU time per frame (its software overhead);
//  2. answers delayed by 50 ms: the editor's CPU time while it waits, as a
//     share of the waiting time.
// Usage: zelkor-link-bench PATH/TO/plcsim
#include "core/MainWindow.h"
#include "plclink/PlcLink.h"
#include "plclink/QtSerialPort.h"
#include "transfer/PlcCommands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <cstdio>

namespace {

class Quiet final : public zelkor::MessageService {
 public:
  zelkor::Answer Show(const zelkor::Message& m) override {
    last = m;
    ++count;
    return zelkor::Answer::Ok;
  }
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

Run Transfer(const QString& plcsim, const QStringList& simArgs, int variables, int alarms) {
  QTemporaryDir devices;
  QProcess sim;
  sim.start(plcsim, simArgs + QStringList{QStringLiteral("--link"), devices.path() + QStringLiteral("/ttyUSB0")});
  if (!sim.waitForStarted(5000) || !QTest::qWaitFor([&] { return sim.canReadLine(); }, 5000)) {
    std::fprintf(stderr, "plcsim did not start\n");
    std::exit(1);
  }
  sim.readLine();

  Quiet messages;
  zelkor::EditorState state(messages);
  zelkor::QtSerialPort port(zelkor::PortDirectory(devices.path(), devices.path()));
  zelkor::QtDeadline deadline;
  zelkor::PlcLink link(state, port, deadline);
  zelkor::StartUp(state);
  for (int i = 0; i < variables; ++i) {
    state.variables.load({QStringLiteral("0"), QStringLiteral("VAR%1").arg(i), QStringLiteral("un"),
                          QStringLiteral("D%1").arg(i), QStringLiteral("Sim")});
  }
  for (int i = 0; i < alarms; ++i) state.alarms.load(QStringLiteral("ALARME %1").arg(i));
  zelkor::ShowVariableCount(state);
  zelkor::ShowAlarmCount(state);
  link.ComboPorta_Click(0);

  const double cpu0 = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  // An event loop, not QTest::qWaitFor, which sleeps 10 ms between looks.
  QEventLoop loop;
  QObject::connect(&link, &zelkor::PlcLink::transferEnded, &loop, &QEventLoop::quit);
  zelkor::BotaoGravaCLP_Click(state, link);
  if (messages.count == 0) loop.exec();
  const Run run{static_cast<double>(wall.nsecsElapsed()) / 1e6, (CpuSeconds() - cpu0) * 1000.0,
                1 + variables + alarms, messages.last.text};
  sim.terminate();
  sim.waitForFinished(5000);
  return run;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: zelkor-link-bench PATH/TO/plcsim\n", stderr);
    return 2;
  }
  const QString plcsim = QString::fromLocal8Bit(argv[1]);

  for (int round = 1; round <= 3; ++round) {
    const Run fast = Transfer(plcsim, {}, 255, 255);
    std::printf("instant answers, round %d: %d frames in %.1f ms (%.3f ms a frame); editor CPU %.1f ms = "
                "%.3f ms a frame; \"%s\"\n",
                round, fast.frames, fast.wallMs, fast.wallMs / fast.frames, fast.cpuMs, fast.cpuMs / fast.frames,
                fast.message.toUtf8().constData());
  }
  const Run slow = Transfer(plcsim, {QStringLiteral("--delay"), QStringLiteral("50")}, 20, 19);
  const double waitingMs = slow.frames * 50.0;
  std::printf("answers delayed 50 ms: %d frames in %.1f ms; editor CPU %.2f ms for %.0f ms of waiting = %.3f %%; "
              "\"%s\"\n",
              slow.frames, slow.wallMs, slow.cpuMs, waitingMs, 100.0 * slow.cpuMs / waitingMs,
              slow.message.toUtf8().constData());
  return 0;
}
