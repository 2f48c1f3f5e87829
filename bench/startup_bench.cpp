// Start-up: the editor against a bare window of the same size. Each program
// is started RUNS times, alternately, so the load of the machine falls on
// both alike; one run lasts from its start until its window's first paint
// has reached the display. Needs a display: scripts/bench runs it under Xvfb.
//   zelkor-startup-bench EDITOR BARE_WINDOW [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Milliseconds to the window's first paint, or a negative number on failure.
double TimeToShown(const QString& program, const QProcessEnvironment& env) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QElapsedTimer timer;
  timer.start();
  process.start(program, {});
  double ms = -1;
  while (process.waitForReadyRead(10000)) {
    if (process.readAllStandardOutput().contains("shown")) {
      ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
      break;
    }
  }
  if (!process.waitForFinished(5000)) process.kill();
  process.waitForFinished();
  return ms;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) {
    std::fputs("usage: zelkor-startup-bench EDITOR BARE_WINDOW [RUNS]\n", stderr);
    return 2;
  }
  const int runs = args.size() > 3 ? std::max(1, args[3].toInt()) : 20;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZELKOR_STARTUP_PROBE"), QStringLiteral("1"));
  // Without one, each start warns about it on standard error.
  QTemporaryDir runtime;
  if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR")) && runtime.isValid()) {
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
  }
  // One unmeasured start each, so both find their libraries in the cache.
  TimeToShown(args[1], env);
  TimeToShown(args[2], env);
  std::vector<double> editor;
  std::vector<double> bare;
  for (int i = 0; i < runs; ++i) {
    editor.push_back(TimeToShown(args[1], env));
    bare.push_back(TimeToShown(args[2], env));
    if (editor.back() < 0 || bare.back() < 0) {
      std::fputs("start-up: a window never showed\n", stderr);
      return 1;
    }
  }
  const double e = Median(editor);
  const double b = Median(bare);
  // The fastest run of each is what the machine's other work disturbs least.
  const double eMin = *std::min_element(editor.begin(), editor.end());
  const double bMin = *std::min_element(bare.begin(), bare.end());
  std::printf(
      "start-up to first paint, %d runs each (goal: at most 1.5)\n"
      "  median:  bare window %.1f ms, editor %.1f ms, ratio %.2f\n"
      "  fastest: bare window %.1f ms, editor %.1f ms, ratio %.2f\n",
      runs, b, e, e / b, bMin, eMin, eMin / bMin);
  return 0;
}
