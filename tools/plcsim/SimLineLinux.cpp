#include "SimLine.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace zelkor::sim {

namespace {

class PseudoTerminal final : public SimLine {
 public:
  PseudoTerminal(int master, int slave) : master_(master), slave_(slave), notifier_(master, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, &SimLine::Readable);
  }
  ~PseudoTerminal() override {
    ::close(master_);
    ::close(slave_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  void Write(const QByteArray& bytes) override {
    (void)::write(master_, bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  QByteArray ReadAll() override {
    QByteArray all;
    char buffer[512];
    for (ssize_t n = 0; (n = ::read(master_, buffer, sizeof buffer)) > 0;) all.append(buffer, n);
    return all;
  }

 private:
  int master_;
  int slave_;  // kept open so the line stays up between clients
  QSocketNotifier notifier_;
};

int signalPipe[2] = {-1, -1};
void OnSignal(int) { (void)::write(signalPipe[1], "x", 1); }

}  // namespace

std::unique_ptr<SimLine> SimLine::Open(const QString&, QString* where, QString* error) {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return nullptr;
  }
  // Raw from the start: a cooked pty would echo our own answers back to us.
  termios tio{};
  ::tcgetattr(slave, &tio);
  ::cfmakeraw(&tio);
  ::tcsetattr(slave, TCSANOW, &tio);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  *where = QString::fromLocal8Bit(name);
  return std::make_unique<PseudoTerminal>(master, slave);
}

void QuitOnTerminationSignals(QCoreApplication& app) {
  if (::pipe(signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
}

}  // namespace zelkor::sim
