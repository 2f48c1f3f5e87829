#include "ConsoleTransfer.h"

#include "Platform.h"
#include "commands/Editor.h"
#include "commands/EditorLifecycle.h"
#include "commands/PlcCommands.h"
#include "commands/PlcCompare.h"
#include "formats/ListsFile.h"
#include "formats/ParameterFile.h"
#include "link/QtSerialPort.h"
#include "model/Ports.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace zelkor {

namespace {

enum ExitStatus { kDone = 0, kFailed = 1, kDifferent = 3, kWarned = 4 };

// Every box as its text would read in the window; kept until the outcome says
// where it belongs. A question is answered as the options say: "Gravar assim
// mesmo" only with --force, any other declined.
class ConsoleMessages final : public MessageService {
 public:
  explicit ConsoleMessages(bool force) : force_(force) {}
  Answer Show(const Message& message) override {
    Add(TitleText(message.title), message.text);
    if (message.buttons == MessageButtons::Ok) return Answer::Ok;
    return force_ && message.buttons == MessageButtons::WriteAnywayCancel ? Answer::Yes : Answer::Cancel;
  }
  void Add(const QString& title, QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown_ += title + QStringLiteral(": ") + text + u'\n';
  }
  QString Take() { return std::exchange(shown_, {}); }

 private:
  bool force_;
  QString shown_;
};

// No dialog can be shown; no command of these asks for one.
class NoDialogs final : public FileDialogService {
 public:
  FileDialogResult Show(const FileDialogRequest&) override { return {}; }
};

// The differences as the comparison dialog lists them, one row a line.
class ConsoleComparison final : public ComparisonView {
 public:
  explicit ConsoleComparison(ConsoleMessages& messages) : messages_(messages) {}
  bool Show(const QString& title, const PlcComparison& comparison) override {
    QStringList lines{comparison.Summary()};
    for (const ComparedRow& row : comparison.rows) {
      lines << QStringLiteral("%1, linha %2: no editor %3; no CLP %4")
                   .arg(row.list)
                   .arg(row.line)
                   .arg(row.editor, row.plc);
    }
    messages_.Add(title, JoinLines(lines));
    return false;
  }

 private:
  ConsoleMessages& messages_;
};

// The port the technician named: a number as in "Porta # NN", a device the
// port list knows, or (Linux) any other serial device, then "Porta # 01".
std::optional<int> PortNamed(const QString& name, [[maybe_unused]] PortDirectory& directory) {
  bool number = false;
  const int n = name.toInt(&number);
  if (number) return n >= 1 && n <= kPortEntries ? std::optional<int>(n) : std::nullopt;
#ifdef Q_OS_WIN
  const auto com =
      QRegularExpression(QStringLiteral("^(?:\\\\\\\\\\.\\\\)?COM(\\d+)$"), QRegularExpression::CaseInsensitiveOption)
          .match(name);
  if (com.hasMatch()) return com.captured(1).toInt();
  return std::nullopt;
#else
  const QString wanted = QFileInfo(name).canonicalFilePath();
  if (wanted.isEmpty()) return std::nullopt;
  for (int port = 1; port <= kPortEntries; ++port) {
    if (QFileInfo(directory.DeviceFor(port)).canonicalFilePath() == wanted) return port;
  }
  directory = PortDirectory::OnlyDevice(name);
  return 1;
#endif
}

int StatusOf(PlcResult result) {
  switch (result) {
    case PlcResult::Done:
      return kDone;
    case PlcResult::Different:
      return kDifferent;
    case PlcResult::Warned:
      return kWarned;
    case PlcResult::Failed:
      break;
  }
  return kFailed;
}

int Fail(ConsoleMessages& messages, const QString& why = {}) {
  Print(stderr, messages.Take() + (why.isEmpty() ? QString() : why + u'\n'));
  return kFailed;
}

}  // namespace

QString ConsoleProgress::Show(const TransferProgress& progress) {
  if (!progress.active || progress.total <= 0) return {};
  if (terminal_) {
    const QString line = progress.text.leftJustified(shownWidth_);
    shownWidth_ = progress.text.size();
    return u'\r' + line;
  }
  const int tenth = progress.done * 10 / progress.total;
  if (tenth == lastTenth_) return {};
  lastTenth_ = tenth;
  return progress.text + u'\n';
}

QString ConsoleProgress::End() {
  lastTenth_ = -1;
  return terminal_ && std::exchange(shownWidth_, 0) > 0 ? QStringLiteral("\n") : QString();
}

int RunConsoleTransfer(const CommandLine& command) {
  ConsoleMessages messages(command.force);
  NoDialogs dialogs;
  PortDirectory directory;
  std::optional<int> port;
  if (command.action != CommandLine::Action::FindPlc) {
    port = PortNamed(command.port, directory);
    if (!port) return Fail(messages, QStringLiteral("Porta não encontrada: %1").arg(command.port));
  }
  QtSerialPort serial(directory);
  QtDeadline deadline;
  Editor editor(messages, dialogs, serial, deadline);
  StartUp(editor);

  // What the command works on, read before the PLC is touched.
  if (command.action == CommandLine::Action::Read && QFileInfo::exists(command.file)) {
    return Fail(messages,
                QStringLiteral("O arquivo \"%1\" já existe: --read só cria um arquivo novo.").arg(command.file));
  }
  if (command.action == CommandLine::Action::Write || command.action == CommandLine::Action::Compare) {
    const ListsFileContent content = ReadListsFile(command.file, ListsFileKindOf(command.file));
    if (!content.lists) {
      messages.Show(content.refusal);
      return Fail(messages);
    }
    ReplaceLists(editor, *content.lists);
  }
  if (port) {
    ChoosePort(editor, *port - 1);
    if (editor.plcLink.PortNumber() != *port || !serial.IsOpen()) return Fail(messages);
  }

  ConsoleProgress progress(IsTerminal(stderr));
  QObject::connect(&editor.plcLink, &PlcLink::ProgressChanged,
                   [&] { Print(stderr, progress.Show(editor.plcLink.Progress())); });
  QEventLoop loop;
  std::optional<PlcResult> result;
  const PlcDone done = [&](PlcResult r) {
    result = r;
    loop.quit();
  };
  ConsoleComparison comparison(messages);
  editor.link.verifyWrites = command.verify;
  switch (command.action) {
    case CommandLine::Action::Write:
      WriteToPlc(editor, done);
      break;
    case CommandLine::Action::Read:
      ReadFromPlc(editor, done);
      break;
    case CommandLine::Action::Compare:
      CompareWithPlc(editor, comparison, done);
      break;
    default:
      FindPlc(editor, done);
      break;
  }
  if (!result) loop.exec();
  Print(stderr, progress.End());
  if (*result == PlcResult::Done && command.action == CommandLine::Action::Read) {
    if (const auto error = WriteParameterFile(command.file, editor.lists)) return Fail(messages, *error);
  }
  const int status = StatusOf(*result);
  Print(status == kDone || status == kDifferent ? stdout : stderr, messages.Take());
  return status;
}

}  // namespace zelkor
