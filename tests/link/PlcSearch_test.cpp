#include "PlcSimulator.h"
#include "link/PlcLink.h"
#include "support/FakeSerialPort.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

TEST(PlcSearch, ReadsEachPortInTurnUntilAPlcAnswersSaysWhyEachIsNotAndCanBeGivenUp) {
  testing::FakeSerialPort port;
  testing::ManualDeadline deadline;
  PlcLink link(port, deadline);
  sim::PlcSimulator plc;
  port.openResults = {{1, {OpenError::InvalidPort, {}}},
                      {2, {OpenError::InUse, {}}},
                      {3, {OpenError::Other, QStringLiteral("falhou\r\nao abrir")}},
                      {4, {OpenError::NoAccess, QStringLiteral("dialout")}}};
  const QByteArray nak = QByteArray(1, kNak) + "00rSB4203" + kEtx + "48";
  // From port 5 on: nothing, garbage, an answer stopping short, one with a wrong checksum, the PLC, a PLC's NAK.
  port.peer = [&](const QByteArray& f) {
    const QByteArray answer = plc.Respond(f);
    return QList<QByteArray>{{}, "OK", answer.chopped(1), answer.chopped(1) + 'X', answer, nak}.at(port.openPort - 5);
  };
  std::optional<PlcSearchOutcome> outcome;
  const auto search = [&](const QList<int>& ports) {  // each port tried and what it was
    EXPECT_TRUE(link.StartPlcSearch(ports, [&](const PlcSearchOutcome& o) { outcome = o; }));
    for (int step = 0; step < 20; ++step) {
      port.Settle();
      deadline.Advance(500);
    }
    QStringList tried;
    for (const PortTried& t : outcome->tried) tried << QString::number(t.number) + u' ' + PortFindingText(t);
    return tried.join(u',');
  };
  EXPECT_EQ(search({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
            QStringLiteral("1 sem dispositivo,2 em uso por outro programa,3 erro da porta: falhou ao abrir,"
                           "4 sem permissão de acesso,5 sem resposta,6 respondeu, mas não como um CLP,"
                           "7 respondeu, mas não como um CLP,8 respondeu, mas não como um CLP,9 "));
  EXPECT_EQ(outcome->found * 100 + port.openPort, 909);
  // Only the header's read, never a write.
  EXPECT_EQ(QSet<QByteArray>(port.written.begin(), port.written.end()),
            QSet{QByteArray(1, kEnq) + "00rSB08%DW0449604" + kEot + "03"});
  // A NAK is a PLC's.
  EXPECT_EQ(search({5, 10}), QStringLiteral("5 sem resposta,10 "));
  // One at a time, showing the port it tries; given up, it tries no more and the port open before is open again.
  ASSERT_TRUE(link.StartPlcSearch({5, 9}, [&](const PlcSearchOutcome& o) { outcome = o; }));
  EXPECT_FALSE(link.StartPlcSearch({9}, {}));
  EXPECT_EQ(link.Progress().text, QStringLiteral("Procurando: Porta # 05"));
  link.AbandonTransfer();
  deadline.Advance(500);
  EXPECT_TRUE(outcome->abandoned && outcome->tried.isEmpty() && !outcome->portClosed && !link.Progress().active);
  EXPECT_EQ(port.opens.mid(port.opens.size() - 3), (QList<int>{10, 5, 10}));
}

}  // namespace
}  // namespace zelkor
