#include "commands/EditorLifecycle.h"
#include "commands/ListEditing.h"
#include "commands/PlcCommands.h"
#include "link/LinkFrame.h"
#include "link/PortDirectory.h"
#include "model/PlcImage.h"
#include "model/Ports.h"
#include "support/Editor.h"
#include "support/Golden.h"
#include "support/Printers.h"
#include "ui/ControlNames.h"

#include <QDir>
#include <QFile>

namespace zelkor {
namespace {

const QString kScript = QStringLiteral("link/data/link.script");

TEST(BuildFrame, TheWorkedExamplesCharacterForCharacterWithTheirChecksums) {
  const VariableRow pressao{QStringLiteral("1"), QStringLiteral("PRESSAO"), QStringLiteral("bar"),
                            QStringLiteral("D1234"), true};
  const std::pair<FrameRequest, const char*> cases[] = {
      {{FrameCommand::Write, 4496, 4, QByteArray::fromHex("0000000000000101")}, "%DW04496040000000000000101<EOT>0A"},
      {{FrameCommand::Write, 4489, 7, EncodeVariableRow(pressao)}, "%DW04489075052455353414F206261720304D2<EOT>C8"},
      {{FrameCommand::Write, 4481, 8, EncodeAlarmRow(QStringLiteral("BOMBA   FALHA   "))},
       "%DW0448108424F4D424120202046414C4841202020<EOT>8C"},
      {{FrameCommand::Read, 4496, 4, "\xFF\xFF"}, "%DW0449604<EOT>03"},  // a read has no data
      {{FrameCommand::Write, 0, 255, QByteArray("\x03\x00 \xE3", 4)}, "%DW00000FF030020E3<EOT>B6"},
      {{FrameCommand::Write, 671, 10, ""}, "%DW006710A<EOT>0C"}};
  for (const auto& [request, frame] : cases) {
    const QString command = request.command == FrameCommand::Write ? QStringLiteral("w") : QStringLiteral("r");
    EXPECT_EQ(NameControlCharacters(BuildFrame(request)),
              QStringLiteral("<ENQ>00%1SB08").arg(command) + QLatin1String(frame));
  }
}

TEST(PlcImage, RecordsHoldTextUnitFlagsAndAddressAndRowsWithWrongBitsAreRefused) {
  const auto record = [](const QString& row) {  // "grupo|texto|unidade|endereço|editável"
    const QStringList c = row.split(u'|');
    return EncodeVariableRow({c[0], c[1], c[2], c[3], c[4] == kSim}).toHex();
  };
  EXPECT_EQ(record(QStringLiteral("1|PRESSAO|bar|D1234|Sim")), "5052455353414f206261720304d2");
  EXPECT_EQ(record(QStringLiteral("0|PRESSÃO€X|°Cx|D1|Não")), "5052455353c34f80b04378000001");
  // With group 3 or 7, editable: flags, high and low byte of the address.
  for (const QString& c : QStringLiteral("D4999:071387 D0256:070100 c045:17002d T200:2700c8 d0:070000 C255:1700ff "
                                         "D9999:07270f")
                              .split(u' ')) {
    EXPECT_EQ(record(QStringLiteral("3|||%1|Sim").arg(c.section(u':', 0, 0))).right(6), c.section(u':', 1).toLatin1());
  }
  EXPECT_EQ(record(QStringLiteral("3|||D +12|Sim")).right(6), "07000c");
  EXPECT_EQ(record(QStringLiteral("7|||T1|sim")).right(6) + record(QStringLiteral("0|||D1|Não")).left(22),
            "2e0001" + QByteArray("20").repeated(11));
  // The last: blanks a file kept before Endereço, where the record would be a guess.
  for (const char* row : {"0|||X12|Sim", "0||||Sim", "0|||DAB|Sim", "0|||D-1|Sim", "0|||D|Sim", "8|||D1|Sim",
                          "A|||D1|Sim", "-1|||D1|Sim", "0||| D1|Sim"})
    EXPECT_THROW(record(QString::fromUtf8(row)), ImageError) << row;
  EXPECT_EQ(EncodeAlarmRow(QStringLiteral("BOMBA   FALHA   ABCD")).toHex(), "424f4d424120202046414c4841202020");
}

TEST(ReadAnswers, AreCheckedWhollyAndTheirRecordsDecodeToWhatWasWritten) {
  const QByteArray header =
      QByteArray(1, kAck) + "00rSB08" + "0000" + "0000" + "0000" + "0203" + kEtx;  // 3 variables, 2 alarms
  EXPECT_EQ(ParseReadAnswer(header + "DD", 4), (QList<quint16>{0, 0, 0, 0x0203}));
  for (const QByteArray& wrong :
       {header + "DE", header + "D", QByteArray(header).replace("rSB", "wSB") + "E2",
        QByteArray(header).replace("08", "0A") + "E6", QByteArray(header).replace("0203", "02g3") + "14",
        QByteArray(header).replace("0203", "02b3") + "0F"})
    EXPECT_FALSE(ParseReadAnswer(wrong, 4)) << wrong.toStdString();
  EXPECT_FALSE(ParseReadAnswer(header + "DD", 3));
  EXPECT_EQ(NameControlCharacters(header.left(8) + "\x7F\xE3"), QStringLiteral("<ACK>00rSB08<x7F><xE3>"));
  for (const char16_t* row :
       {u"1|PRESSAO|bar|D1234|Sim", u"7| AÇÃO|°C|T255|Não", u"0|||C0|Sim", u"3|ABCDEFGH|xyz|D9999|Não"}) {
    const QStringList c = QString::fromUtf16(row).split(u'|');
    const VariableRow written{c[0], c[1], c[2], c[3], c[4] == kSim};
    EXPECT_EQ(DecodeVariableRecord(EncodeVariableRow(written)), written);
  }
  EXPECT_EQ(DecodeVariableRecord(QByteArray(11, ' ') + QByteArray("\x01\x00\x64", 3)).value().endereco,
            QStringLiteral("D100"));
  for (const char* flags : {"\x40\x00\x01", "\x80\x00\x01", "\x31\x00\x01"})  // no write leaves these
    EXPECT_FALSE(DecodeVariableRecord(QByteArray(11, ' ') + QByteArray(flags, 3)));
  EXPECT_EQ(DecodeAlarmRecord("MOTOR 1 FALHA   "), QStringLiteral("MOTOR 1 FALHA"));
}

#ifdef Q_OS_WIN
TEST(PortDirectory, PortNumberIsTheComNumberInTheDeviceNamespaceAboveNine) {
  EXPECT_EQ(PortDirectory().DeviceFor(3) + u'|' + PortDirectory().DeviceFor(10), QStringLiteral("COM3|\\\\.\\COM10"));
}
#else
TEST(PortDirectory, UsbThenAcmThenRealUartsEachByNumberAndSymlinksCountUnlessDangling) {
  QTemporaryDir root;
  const QString dev = root.path() + QStringLiteral("/dev/");
  QDir().mkpath(dev);
  for (const char* n : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS3", "ttyUSBx", "tty0", "pts7"})
    QFile(dev + QLatin1String(n)).open(QIODevice::WriteOnly);
  for (const char* uart : {"ttyS0/type", "ttyS1/type"}) {  // the kernel lists ttyS1, but no UART is behind it
    QDir().mkpath(root.path() + QStringLiteral("/sys/class/tty/") + QLatin1String(uart).left(5));
    QFile f(root.path() + QStringLiteral("/sys/class/tty/") + QLatin1String(uart));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(uart[4] == '0' ? "4\n" : "0\n") == 2);
  }
  ASSERT_TRUE(QFile::link(dev + QStringLiteral("pts7"), dev + QStringLiteral("ttyUSB0")));
  ASSERT_TRUE(QFile::link(dev + QStringLiteral("gone"), dev + QStringLiteral("ttyUSB1")));
  const PortDirectory directory(root.path() + QStringLiteral("/dev"), root.path() + QStringLiteral("/sys"));
  EXPECT_EQ(directory.Devices().join(u' ').remove(dev), QStringLiteral("ttyUSB0 ttyUSB2 ttyUSB10 ttyACM0 ttyS0"));
  EXPECT_EQ(directory.DeviceFor(3) + u'|' + directory.DeviceFor(6) + directory.DeviceFor(0),
            dev + QStringLiteral("ttyUSB10|"));
}
#endif

using PlcLinkTest = testing::EditorTest;

TEST_F(PlcLinkTest, TheHeaderThenEachVariableThenEachAlarmGoDownwardsFromD4496) {
  PlayScript(kScript, QStringLiteral("the header then each"));
  // V1, u, flags 00 (group 0, D, not editable), address 1: worked out by hand.
  EXPECT_EQ(NameControlCharacters(port.written[1]),
            QStringLiteral("<ENQ>00wSB08%DW04489075631202020202020752020000001<EOT>79"));
  EXPECT_EQ(plc.DecodeLists().join(u','),
            QStringLiteral("V 0 V1      |u  |D1|Não,V 1 V2      |u  |D2|Não,A A1              ,"
                           "A A2              "));
  EXPECT_EQ(messages.shown.back().icon, MessageIcon::Information);
  Do(QStringLiteral("Vload ") + QString(QStringLiteral("0 ")).repeated(253) + QStringLiteral("; Aload 253; write"));
  EXPECT_EQ(port.written.size(), 5 + 511);
  EXPECT_EQ(plc.Word(4499), 0xFFFF);
  EXPECT_EQ(port.written.back().mid(8, 8), "%DW00671");
  UpdateReservedMemory(state);
  EXPECT_EQ(Shown().section(u' ', -5), QStringLiteral("n=255/255 mem=D0671 msg=Transmissão Ok! port=1"));
}

TEST_F(PlcLinkTest, AnAnswerHas500MsFromItsFrameAndAgainFromItsAckANakIsReadWholeAndLateBytesAreDiscarded) {
  const auto line = [this](int fromEnd) {  // what the monitor says, fromEnd lines up from the newest
    return monitor.Lines()[monitor.Lines().size() - 1 - fromEnd].section(QStringLiteral("  "), -1).trimmed();
  };
  Do(QStringLiteral("Vload 0; port 1; write"));
  port.peer = {};
  PlayScript(kScript, QStringLiteral("an answer has 500 1"));
  port.Deliver(QByteArray(1, kAck));
  PlayScript(kScript, QStringLiteral("an answer has 500 2"));
  // The header's answer of a read comes after its time: the next read starts by throwing it away.
  Do(QStringLiteral("read; +500"));
  port.Deliver(plc.Respond(port.written.back()));
  port.peer = [this](const QByteArray& f) { return plc.Respond(f); };
  PlayScript(kScript, QStringLiteral("an answer has 500 3"));
  EXPECT_EQ(line(5), QStringLiteral("descartado: <ACK>00rSB080000000000000001<ETX>D9"));
  // A NAK a character at a time, as a real line brings it: its code is read, and nothing is left behind.
  port.peer = {};
  for (const QByteArray& nak : {testing::NakAnswer(), testing::NakAnswer().left(4)}) {
    Do(QStringLiteral("write"));
    for (const char c : nak) {
      port.Deliver(QByteArray(1, c));
      Do(QStringLiteral("+1"));
    }
    Do(QStringLiteral("+100"));
    EXPECT_EQ(Titles(), QStringLiteral("Comunicação encerrada!#comunicacao-encerrada"));
    EXPECT_EQ(port.PeekWaiting(), QByteArray());
    EXPECT_EQ(line(1), nak.size() > 4 ? QStringLiteral("NAK, código 1234") : QStringLiteral("NAK incompleto"));
  }
}

TEST_F(PlcLinkTest, NothingIsSentForEmptyListsABrokenNumberingTooManyRowsOrARowWithoutARecord) {
  Do(QStringLiteral("port 1; write; Vload 0 2; write; clearlist V; Aload 256; write; clearlist A; Vload 0"));
  EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("256"))) << messages.shown.back().text.toStdString();
  state.lists.variables.push_back({QStringLiteral("0"), {}, {}, QStringLiteral("X12")});
  Do(QStringLiteral("write"));
  EXPECT_TRUE(messages.shown.back().text.startsWith(QStringLiteral("Linha 2 da lista de Variáveis")));
  EXPECT_EQ(Titles(), QStringLiteral("Nada para Enviar!|Sequência de numeração!|Nada foi enviado!|Nada foi enviado!"));
  EXPECT_EQ(messages.shown[0], (Message{QStringLiteral("Ambas as Listas estão vazias!"), MessageTitle::NothingToSend,
                                        MessageButtons::Ok, MessageIcon::Exclamation}));
}

TEST_F(PlcLinkTest, TheFramesAreTheListsAtTheClickAndASecondClickOrAPortChangeWaits) {
  PlayScript(kScript, QStringLiteral("the frames are the"));
  EXPECT_EQ(state.link.portIndex, 0);  // the port box goes back to the port in use
  EXPECT_EQ(port.written.size(), 3);
  EXPECT_EQ(port.written.back().mid(16, 6), "084132");  // A2, not CHANGED
}

TEST_F(PlcLinkTest, LeClpReadsBackWhatGravaClpWroteAndReplacesTheListsAsOpeningAFileDoes) {
  PlayScript(kScript, QStringLiteral("le clp reads back"));
  EXPECT_EQ(port.written.size(), 1 + 3 + 1 + 3);
  EXPECT_EQ(NameControlCharacters(port.written[5]), QStringLiteral("<ENQ>00rSB08%DW0448907<EOT>08"));
  const std::vector<VariableRow>& read = state.lists.variables;
  EXPECT_EQ(read[0].endereco + read[1].endereco + EditableText(read[0].editable), QStringLiteral("D100C10Sim"));
  // Whatever breaks off a read leaves the lists, the title and the file as they were.
  WriteFile(QStringLiteral("a.zlk"), "0X       u  D1   SimV\r\n");
  Do(QStringLiteral("no; open a.zlk"));
  const QString opened = Shown();
  const auto carrying = [](const QByteArray& bytes) {  // a read's answer bringing these bytes
    const QByteArray body =
        QByteArray(1, kAck) + "00rSB" + WordCountText(static_cast<int>(bytes.size())) + bytes.toHex().toUpper() + kEtx;
    return [answer = body + FrameChecksum(body)](const QByteArray&) { return answer; };
  };
  const QString notWritten = QStringLiteral(" no CLP contém caracteres que o editor não grava.");
  const std::tuple<std::function<QByteArray(const QByteArray&)>, int, const char*, QString> faults[] = {
      {[](const QByteArray&) { return testing::NakAnswer(); }, 1, "Comunicação encerrada!#comunicacao-encerrada", {}},
      {[](const QByteArray&) { return QByteArray(); }, 2, "CLP não responde!#clp-nao-responde", {}},
      {[this](const QByteArray& f) { return plc.Respond(f).chopped(1); }, 3, "CLP não responde!#clp-nao-responde", {}},
      {[this](const QByteArray& f) { return plc.Respond(f).chopped(1) + 'X'; },
       2,
       "Leitura interrompida!#leitura-interrompida",
       {}},
      {carrying(QByteArray(8, '\0')), 1, "Nada foi lido!#nada-foi-lido", {}},
      {carrying(QByteArray("\0\0\0\1\0\0\1\1", 8)), 1, "Nada foi lido!#nada-foi-lido",  // D4497 is not 0
       QStringLiteral("O CLP não contém listas do painel (cabeçalho em D4496 a D4499 não reconhecido).")},
      {carrying(QByteArray(11, ' ') + QByteArray("\xC0\0\1", 3)), 3,
       "Nada foi lido!#nada-foi-lido",  // bits 6 and 7 set
       QStringLiteral(
           "A linha 2 da lista de Variáveis no CLP não é um registro que o editor grave (tipo de endereço 3, ou "
           "bits 6 e 7 ligados no byte de tipo e grupo).")},
      {carrying(QByteArray("TE\rMP   C  \1\0\x64", 14)), 2, "Nada foi lido!#nada-foi-lido",
       QStringLiteral("A linha 1 da lista de Variáveis") + notWritten},
      {carrying(QByteArray(16, '\0')), 4, "Nada foi lido!#nada-foi-lido",
       QStringLiteral("A linha 1 da lista de Alarmes") + notWritten}};
  bool progressWhileShown = false;  // the progress goes away before the box opens
  messages.whileShown = [&](const Message&) { progressWhileShown = progressWhileShown || link.Progress().active; };
  for (const auto& [answer, at, title, text] : faults) {  // the fault strikes the answer to frame `at`
    int n = 0;
    port.peer = [&, answer = answer, at = at](const QByteArray& f) { return ++n == at ? answer(f) : plc.Respond(f); };
    Do(QStringLiteral("port 1; no; read; +500"));
    EXPECT_EQ(Titles(), QStringLiteral("Salvar dados atuais?|") + QString::fromUtf8(title));
    if (!text.isEmpty()) {
      EXPECT_EQ(messages.shown.back().text, text);
    }
    EXPECT_EQ(Shown(), opened.left(opened.indexOf(QStringLiteral(" focus="))) +
                           QStringLiteral(" changed title=a.zlk file=a.zlk salvarOn port=1"));
  }
  EXPECT_FALSE(progressWhileShown);
}

TEST_F(PlcLinkTest, WhileLeClpRunsNothingChangesTheListsOrTheFileHoweverItEndsTheyComeBackAndClosingGivesAnyReadUp) {
  Do(QStringLiteral("Vload 1 0; Aload 1; port 1; write"));  // out of group order: a read keeps the PLC's order
  PlayScript(kScript, QStringLiteral("while le clp runs 1"));
  EXPECT_EQ(messages.shown.back().text, QStringLiteral("Aguarde o fim da leitura do CLP para trocar de porta."));
  EXPECT_EQ(link.Progress().text, QStringLiteral("Lendo: quadro 1 de 1"));
  PlayScript(kScript, QStringLiteral("while le clp runs 2"));
  EXPECT_EQ(link.Progress().text, QStringLiteral("Lendo: quadro 1 de 1"));
  PlayScript(kScript, QStringLiteral("closing during a read"));
}

TEST_F(PlcLinkTest, ComparaClpShowsTheRowsThatDifferAsTheImageSeesThemAndChangesNothing) {
  PlayScript(kScript, QStringLiteral("compare"));
  EXPECT_EQ(comparisons.shown.at(0).first, QStringLiteral("Comparação com o CLP (Porta # 01)"));
}

TEST_F(PlcLinkTest, AVerifiedWriteReadsEveryWordBackAndNamesTheFirstThatDiffers) {
  PlayScript(kScript, QStringLiteral("verify"));
  EXPECT_EQ(messages.shown.back().text, QStringLiteral("Transmissão encerrada e verificada!"));
  EXPECT_EQ(NameControlCharacters(port.written.back()), QStringLiteral("<ENQ>00rSB08%DW0448108<EOT>01"));
  EXPECT_EQ(port.written.size(), 6);  // three writes, three reads
  for (const auto& [word, where] : {std::pair{4490, "a linha 1 da lista de Variáveis"},
                                    {4481, "a linha 1 da lista de Alarmes"},
                                    {4499, "o cabeçalho"}}) {
    plc.CorruptWord(word);
    Do(QStringLiteral("write"));
    EXPECT_EQ(
        messages.shown.back(),
        (Message{
            QStringLiteral("Verificação falhou: %1 no CLP difere do que foi gravado.").arg(QString::fromUtf8(where)),
            MessageTitle::VerificationFailed, MessageButtons::Ok, MessageIcon::Exclamation,
            MessageHelp::VerificationFailed}));
  }
  // A fault while reading back, or while comparing, ends it as it ends a read, and changes nothing.
  port.peer = [this](const QByteArray& f) { return f[3] == 'r' ? testing::NakAnswer() : plc.Respond(f); };
  PlayScript(kScript, QStringLiteral("verify fault"));
  EXPECT_EQ(
      std::count_if(monitor.Lines().begin(), monitor.Lines().end(),
                    [](const QString& l) { return l.endsWith(QStringLiteral("início da verificação: 3 quadros")); }),
      5);
}

TEST_F(PlcLinkTest, TheMonitorShowsEachFrameAndAnswerInOrderAndTheProgressCountsThemAndGoesAway) {
  port.peer = {};
  Do(QStringLiteral("Vload 0; Aload 2; port 1; write"));
  QStringList progress;
  for (int frame = 1; frame <= 4; ++frame) {
    progress << link.Progress().text + u'/' + QString::number(link.Progress().done);
    Do(QStringLiteral("+250"));
    port.Deliver(testing::AckAnswer());
  }
  EXPECT_EQ(progress.join(u','),
            QStringLiteral("Gravando: quadro 1 de 4/0,Gravando: quadro 2 de 4 — faltam 1 s/1,"
                           "Gravando: quadro 3 de 4 — faltam 1 s/2,Gravando: quadro 4 de 4 — faltam 1 s/3"));
  // A NAK, silence and a lost port each end the transfer with their message, and the progress with it.
  const std::pair<std::function<void()>, Message> ends[] = {
      {[this] { port.Deliver(testing::NakAnswer()); },
       {QStringLiteral("Retorno do CLP diferente de ACK !"),
        MessageTitle::CommunicationEnded,
        {},
        {},
        MessageHelp::CommunicationEnded}},
      {[this] { Do(QStringLiteral("+500")); },
       {QStringLiteral("Tempo esgotado!"), MessageTitle::PlcNotResponding, {}, {}, MessageHelp::PlcNotResponding}},
      {[this] { port.Lose(QStringLiteral("desconectado")); },
       {QStringLiteral("desconectado\r\nNo CLP, nada foi gravado."),
        MessageTitle::Program,
        {},
        {},
        MessageHelp::PortLost}}};
  for (const auto& [end, message] : ends) {
    Do(QStringLiteral("port 1; write"));
    EXPECT_TRUE(link.Progress().active);
    end();
    EXPECT_FALSE(link.Progress().active);
    EXPECT_EQ(messages.shown.back(), message);
  }
  // Outside a transfer the time counts from the port's opening; a lost port is one line and one box, also when
  // idle; no port is no lost port, and picking the entry again reopens it.
  Do(QStringLiteral("port 1; +300"));
  port.Lose(QStringLiteral("desligada\r\nVerifique"));
  EXPECT_EQ(messages.shown.back(), (Message{QStringLiteral("desligada\r\nVerifique"), MessageTitle::Program,
                                            MessageButtons::Ok, MessageIcon::None, MessageHelp::PortLost}));
  Do(QStringLiteral("write"));
  dialogs.answers = {Path(QStringLiteral("monitor.txt")), Path(QStringLiteral("monitor.txt/x"))};
  SaveMonitorLines(state, monitor);
  testing::ExpectGolden(QStringLiteral("link/data/monitor.txt"), Bytes(QStringLiteral("monitor.txt")));
  SaveMonitorLines(state, monitor);
  EXPECT_TRUE(messages.shown.back().text.startsWith(QStringLiteral("Não foi possível gravar o arquivo")));
  // The newest 20,000 lines are kept.
  for (int i = 0; i <= 10000; ++i) ChoosePort(state, 0);
  EXPECT_EQ(monitor.Lines().size(), 20000u);
  EXPECT_TRUE(monitor.Lines().front().endsWith(QStringLiteral("porta fechada")));
}

TEST_F(PlcLinkTest, ALostPortShowsClosedAndAWriteItCutOffSaysWhatThePlcGot) {
  PlayScript(kScript, QStringLiteral("lost port"));
  // With nothing answered the write says "nada foi gravado" (the monitor's test).
  for (const auto& [answered, inPlc] : {std::pair{1, "a gravação ficou incompleta (1 de 2 quadros): grave de novo"},
                                        {2, "a gravação terminou; a verificação não"}}) {
    Do(QStringLiteral("verify; port 1; plc %1; write; lose").arg(answered));
    EXPECT_EQ(messages.shown.back().text, QStringLiteral("perdida\r\nNo CLP, %1.").arg(QString::fromUtf8(inPlc)));
  }
}

TEST_F(PlcLinkTest, WarningsComeBeforeAnythingIsSentAndVerificarListasShowsThem) {
  PlayScript(kScript, QStringLiteral("warnings before writing"));
}

TEST_F(PlcLinkTest, LocalizarClpChoosesThePortThePlcAnswersOnAsAPickWouldOrSaysWhyEachPortIsNot) {
  for (int n = 3; n <= kPortEntries; ++n) port.openResults[n] = {OpenError::InvalidPort, {}};
  port.peer = [this](const QByteArray& f) { return port.openPort == 1 ? QByteArray("OK") : plc.Respond(f); };
  PlayScript(kScript, QStringLiteral("localizar clp 1"));
  EXPECT_EQ(messages.shown.front().text, QStringLiteral("CLP encontrado na Porta # 02 (/dev/ttyUSB1)."));
  port.openResults[2] = {OpenError::InUse, {}};
  PlayScript(kScript, QStringLiteral("localizar clp 2"));
  EXPECT_EQ(messages.shown[2].text,
            QStringLiteral("Nenhuma porta respondeu como um CLP:\r\nPorta # 01: respondeu, mas não como um CLP\r\n"
                           "Porta # 02: em uso por outro programa\r\nPorta # 03 a Porta # 16: sem dispositivo"));
}

TEST_F(PlcLinkTest, EachPortChoiceOpensItsPortOrSaysWhyNotAndTheEntryStays) {
  port.openResults = {{5, {OpenError::InvalidPort, {}}},
                      {6, {OpenError::InUse, {}}},
                      {7, {OpenError::NoAccess, QStringLiteral("Sem permissão para usar /dev/ttyUSB0.")}},
                      {8, {OpenError::Other, QStringLiteral("Não foi possível abrir COM8: falha")}}};
  for (const auto& [number, title, text] :
       {std::tuple{16, "", ""},
        {5, "Porta inválida!#porta-invalida", "Porta inválida - tente outra!"},
        {6, "Porta em uso!#porta-em-uso", "Porta já está aberta - tente outra!"},
        {7, "Marbeto#sem-permissao-para-usar-a-porta", "Sem permissão para usar /dev/ttyUSB0."},
        {8, "Marbeto#nao-foi-possivel-abrir-a-porta", "Não foi possível abrir COM8: falha"}}) {
    Do(QStringLiteral("port %1").arg(number));
    EXPECT_EQ(Titles() + u'|' + (*title ? messages.shown.back().text : QString()),
              QString::fromUtf8(title) + u'|' + QString::fromUtf8(text));
    EXPECT_EQ(port.openPort * 100 + state.link.portIndex, (*title ? 0 : number * 100) + number - 1);
    EXPECT_TRUE(state.link.write.enabled && state.link.read.enabled);
  }
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
  ShowPortDevices(state);
  EXPECT_EQ(state.link.portDevices.join(u',').left(44), QStringLiteral("/dev/ttyUSB0,/dev/ttyUSB1,Nenhum dispositivo"));
}

}  // namespace
}  // namespace zelkor
