#include "PlcCommands.h"

#include "core/MainWindow.h"
#include "paramfile/FileCommands.h"
#include "paramfile/ParameterFile.h"
#include "plclink/LinkFrame.h"
#include "plclink/PlcImage.h"
#include "variables/VariableEditor.h"

#include <memory>

namespace zelkor {

namespace {

Message Exclamation(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Exclamation};
}

QString ListTooLong(const QString& list, int rows) {
  return QStringLiteral("A lista de %1 tem %2 linhas, mas o CLP aceita no máximo %3.\r\nRemova linhas antes de gravar.")
      .arg(list)
      .arg(rows)
      .arg(kMaxRows);
}

// What a read has brought so far; the lists change only when it is all there.
struct ReadBack {
  int variables = 0;
  int alarms = 0;
  std::vector<VariableRow> variableRows;
  QStringList alarmTexts;
};

}  // namespace

QList<QByteArray> TransferFrames(const VariableList& variables, const AlarmList& alarms) {
  const int v = variables.count();
  const int a = alarms.count();
  QList<QByteArray> frames;
  QByteArray header;
  for (const std::uint16_t word : ImageHeader(v, a)) header += QByteArray::number(word, 16).toUpper().rightJustified(4, '0');
  frames << BuildFrame({true, DeviceName(kImageTop), WordCountText(4), header, false});
  int address = kImageTop;
  for (int row = 1; row <= v; ++row) {
    address -= kVariableWords;
    QByteArray record;
    try {
      record = EncodeVariableRow(variables.row(row));
    } catch (const ImageError& e) {
      throw ImageError(
          QStringLiteral("Linha %1 da lista de Variáveis: %2").arg(row).arg(QString::fromUtf8(e.what())).toStdString());
    }
    frames << BuildFrame({true, DeviceName(address), WordCountText(kVariableWords), record, true});
  }
  for (int row = 1; row <= a; ++row) {
    address -= kAlarmWords;
    frames << BuildFrame({true, DeviceName(address), WordCountText(kAlarmWords), EncodeAlarmRow(alarms.text(row)), true});
  }
  return frames;
}

void BotaoGravaCLP_Click(EditorState& s, PlcLink& link) {
  Guarded(s.messages, [&] {
    // Choice left to us: the running transfer goes on undisturbed.
    if (link.RefuseWhileTransferring(QStringLiteral("em andamento."))) return;
    if (BothCountsShowEmpty(s)) {
      s.messages.Show(Exclamation(QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Enviar!")));
      return;
    }
    CheckGroupSequence(s);
    if (s.failure) return;
    // Lists from a file may not fit the image: refuse before anything is sent.
    const QString title = QStringLiteral("Nada foi enviado!");
    for (const auto& [list, rows] : {std::pair{QStringLiteral("Variáveis"), s.variables.count()},
                                     {QStringLiteral("Alarmes"), s.alarms.count()}}) {
      if (rows > kMaxRows) {
        s.messages.Show(Exclamation(ListTooLong(list, rows), title));
        return;
      }
    }
    QList<LinkRequest> requests;
    try {
      for (QByteArray& frame : TransferFrames(s.variables, s.alarms)) requests << LinkRequest{std::move(frame)};
    } catch (const ImageError& e) {
      s.messages.Show(Exclamation(QString::fromUtf8(e.what()) + QStringLiteral("\r\nCorrija a linha antes de gravar."), title));
      return;
    }
    link.Transfer(TransferKind::Write, std::move(requests), {}, [&s](bool complete) {
      if (!complete) return;
      s.messages.Show({QStringLiteral("Transmissão encerrada!"), QStringLiteral("Transmissão Ok!"), MessageButtons::Ok,
                       MessageIcon::Information});
    });
  });
}

void BotaoLeCLP_Click(EditorState& s, PlcLink& link, FileDialogService& dialogs) {
  Guarded(s.messages, [&] {
    if (link.RefuseWhileTransferring(QStringLiteral("em andamento."))) return;
    // As before opening a file, and before anything is sent.
    if (!OfferToSaveLists(s, dialogs, QStringLiteral("ler o CLP"))) return;
    const QString nothingRead = QStringLiteral("Nada foi lido!");
    auto read = std::make_shared<ReadBack>();
    auto onRead = [&s, &link, read, nothingRead](int index, const QList<quint16>& words) {
      if (index == 0) {
        // Grava CLP never writes an image without rows: a PLC whose words are all zero holds no lists.
        if (words[0] != 0 || words[1] != 0 || words[2] != 0 || words[3] == 0) {
          s.messages.Show(Exclamation(QStringLiteral("O CLP não contém listas do painel (cabeçalho em D4496 a D4499 não "
                                                     "reconhecido)."),
                                      nothingRead));
          return false;
        }
        read->variables = words[3] & 0xFF;
        read->alarms = words[3] >> 8;
        for (int row = 1; row <= read->variables; ++row) link.Append(ReadRequest(kImageTop - kVariableWords * row, kVariableWords));
        for (int row = 1; row <= read->alarms; ++row) {
          link.Append(ReadRequest(ImageStart(read->variables, row), kAlarmWords));
        }
        return true;
      }
      if (index <= read->variables) {
        const std::optional<VariableRow> row = DecodeVariableRecord(WordBytes(words));
        if (!row) {
          s.messages.Show(Exclamation(QStringLiteral("A linha %1 da lista de Variáveis no CLP não é um registro que o editor "
                                                     "grave (bits de tipo e grupo inválidos).")
                                          .arg(index),
                                      nothingRead));
          return false;
        }
        read->variableRows.push_back(*row);
      } else {
        read->alarmTexts << DecodeAlarmRecord(WordBytes(words));
      }
      return true;
    };
    link.Transfer(TransferKind::Read, {ReadRequest(kImageTop, 4)}, onRead, [&s, &link, read](bool complete) {
      if (!complete) return;  // the lists, the title and the file stay as they were
      ReplaceLists(s, read->variableRows, read->alarmTexts);
      UpdateReservedMemory(s);
      AdoptListsWithoutFile(s, kWindowTitle + QStringLiteral(" - CLP (") + PortEntryName(link.portNumber()) + u')');
      s.messages.Show({QStringLiteral("Leitura encerrada!"), QStringLiteral("Leitura Ok!"), MessageButtons::Ok,
                       MessageIcon::Information});
    });
  });
}

void SaveMonitorLines(EditorState& s, const LinkMonitor& monitor, FileDialogService& dialogs) {
  Guarded(s.messages, [&] {
    const FileDialogResult chosen = dialogs.Show({true, QStringLiteral("Salvar o monitor da comunicação"),
                                                  QStringLiteral("Texto (*.txt) | *.txt"), QStringLiteral("monitor.txt"), true, {}});
    if (chosen.cancelled) return;
    QString text;
    for (const QString& line : monitor.lines()) text += line + u'\n';
    QSaveFile file(chosen.fullPath);
    QString error;
    if (!WriteAtomically(file, text.toUtf8(), &error)) {
      ReportUnexpectedError(s.messages, QStringLiteral("Não foi possível gravar o arquivo \"%1\":\r\n%2").arg(chosen.fullPath, error));
    }
  });
}

}  // namespace zelkor
