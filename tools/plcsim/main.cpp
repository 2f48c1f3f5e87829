// zelkor-plcsim: a simulated PLC on a pseudo-terminal (Linux) or on one end of
// a null-modem pair (Windows), to write the lists into without a PLC. Prints
// what the editor opens on the first line.
#include "PlcSimulator.h"
#include "commands/PlcCommands.h"
#include "formats/ParameterFile.h"
#include "model/Version.h"

#include "SimLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationVersion(zelkor::kVersion);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A simulated PLC for trying Zelkor Editor without one: it opens a pseudo-terminal (on Windows,\n"
                     "the serial port --port names: one end of a null-modem pair), prints what the editor opens,\n"
                     "and answers each \"Grava CLP\" and \"Lê CLP\" frame as the PLC does.\n"
                     "As root, --link /dev/ttyUSB0 makes the editor list it as \"Porta # 01\"."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption link(QStringLiteral("link"),
                                QStringLiteral("Also make PATH (e.g. /dev/ttyUSB0) a symlink to the line, so the "
                                               "editor lists it as a port."),
                                QStringLiteral("PATH"));
  const QCommandLineOption print(QStringLiteral("print"),
                                 QStringLiteral("Print the lists decoded from memory after each complete image."));
  const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
  const QCommandLineOption nak(QStringLiteral("nak"), QStringLiteral("Answer every request with NAK."));
  const QCommandLineOption wrongFirst(QStringLiteral("wrong-first"),
                                      QStringLiteral("Start every answer with a character that is not ACK."));
  const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Wait MS milliseconds before answering."),
                                 QStringLiteral("MS"));
  const QCommandLineOption cutShort(QStringLiteral("short"), QStringLiteral("Leave the last answer character out."));
  const QCommandLineOption disconnect(QStringLiteral("disconnect-after"),
                                      QStringLiteral("Hang up after answering N frames."), QStringLiteral("N"));
  const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("Send at the speed of a 19200-baud line."));
  const QCommandLineOption badChecksum(QStringLiteral("bad-checksum"),
                                       QStringLiteral("Answer every read with a wrong checksum."));
  const QCommandLineOption load(QStringLiteral("load"),
                                QStringLiteral("Start with the image that writing the lists of FILE.zlk would leave."),
                                QStringLiteral("FILE.zlk"));
  const QCommandLineOption corrupt(QStringLiteral("corrupt-word"),
                                   QStringLiteral("Store a wrong value at data word ADDRESS whenever it is written "
                                                  "(the answer is still ACK), so a verified write fails."),
                                   QStringLiteral("ADDRESS"));
  const QCommandLineOption port(QStringLiteral("port"),
                                QStringLiteral("Windows: the serial port to answer on (e.g. COM5), one end of a "
                                               "null-modem pair whose other end the editor opens."),
                                QStringLiteral("COMNN"));
  parser.addOptions(
      {link, print, silent, nak, wrongFirst, delay, cutShort, disconnect, pace, badChecksum, load, corrupt, port});
  parser.process(app);

  zelkor::sim::Faults faults;
  faults.silent = parser.isSet(silent);
  faults.nak = parser.isSet(nak);
  faults.wrongFirst = parser.isSet(wrongFirst);
  faults.delayMs = parser.value(delay).toInt();
  faults.cutShort = parser.isSet(cutShort);
  faults.disconnectAfter = parser.isSet(disconnect) ? parser.value(disconnect).toInt() : -1;
  faults.pace = parser.isSet(pace);
  faults.badChecksum = parser.isSet(badChecksum);
  faults.corruptWord = parser.isSet(corrupt) ? parser.value(corrupt).toInt() : -1;

  zelkor::sim::PlcSimulator plc(faults);
  if (parser.isSet(load)) {
    // The very frames "Grava CLP" would send for the file's lists.
    QFile file(parser.value(load));
    if (!file.open(QIODevice::ReadOnly)) {
      QTextStream(stderr) << "plcsim: " << file.fileName() << ": " << file.errorString() << Qt::endl;
      return 1;
    }
    const zelkor::Lists lists = zelkor::ParseParameterLines(zelkor::SplitParameterLines(file.readAll()));
    try {
      for (const zelkor::FrameRequest& write : zelkor::ImageWrites(lists)) {
        plc.Respond(zelkor::BuildFrame(write));
      }
    } catch (const std::exception& e) {
      QTextStream(stderr) << "plcsim: " << QString::fromUtf8(e.what()) << Qt::endl;
      return 1;
    }
  }
  QString error;
  const QString path = plc.Open(parser.value(port), &error);
  QTextStream out(stdout);
  if (path.isEmpty()) {
    QTextStream(stderr) << "zelkor-plcsim: " << error << Qt::endl;
    return 1;
  }
  const QString linkPath = parser.value(link);
  if (!linkPath.isEmpty()) {
    QFile::remove(linkPath);
    if (!QFile::link(path, linkPath)) {
      QTextStream(stderr) << "zelkor-plcsim: cannot create " << linkPath << Qt::endl;
      return 1;
    }
  }
  out << path << Qt::endl;

  if (parser.isSet(print)) {
    QObject::connect(&plc, &zelkor::sim::PlcSimulator::ImageComplete, [&] {
      out << "--- " << plc.FramesAnswered() << " frames answered; the panel reads:" << Qt::endl;
      for (const QString& line : plc.DecodeLists()) out << line << Qt::endl;
    });
  }
  QObject::connect(&plc, &zelkor::sim::PlcSimulator::HungUp, [&] { out << "--- line hung up" << Qt::endl; });

  // Ctrl+C and kill end the loop, so the symlink goes with us.
  zelkor::sim::QuitOnTerminationSignals(app);
  const int result = QCoreApplication::exec();
  if (!linkPath.isEmpty()) QFile::remove(linkPath);
  return result;
}
