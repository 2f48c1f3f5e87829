#include "plclink/LinkExchange.h"
#include "plclink/LinkFrame.h"
#include "support/FakeSerialPort.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

#include <optional>

namespace zelkor {
namespace {

class LinkExchangeTest : public ::testing::Test {
 protected:
  LinkExchangeTest() {
    port.open(1);
    QObject::connect(&exchange, &LinkExchange::finished, [this](ExchangeOutcome o, const QString& error) {
      ++reports;
      outcome = o;
      portError = error;
      finishedAt = deadline.now();
    });
  }
  void Send() { exchange.start("FRAME"); }
  static QByteArray Bytes(std::initializer_list<char> bytes) { return QByteArray(bytes.begin(), bytes.size()); }

  testing::FakeSerialPort port;
  testing::ManualDeadline deadline;
  LinkExchange exchange{port, deadline};
  int reports = 0;
  std::optional<ExchangeOutcome> outcome;
  QString portError;
  qint64 finishedAt = -1;
};

TEST_F(LinkExchangeTest, AckAnythingEtxAndTwoMoreIsSuccessWhateverTheyAre) {
  Send();
  EXPECT_EQ(port.written(), QList<QByteArray>{"FRAME"});
  port.Deliver(Bytes({kAck, 'a', '\x15', kEnq, '9', 'z'}));
  EXPECT_FALSE(outcome);
  port.Deliver(Bytes({kEtx, '\x00'}));
  EXPECT_FALSE(outcome);
  port.Deliver(Bytes({kAck}));
  EXPECT_EQ(outcome, ExchangeOutcome::Success);
  EXPECT_FALSE(deadline.isActive());
  EXPECT_EQ(reports, 1);
}

TEST_F(LinkExchangeTest, AnyOtherFirstCharacterFailsAtOnceAndLeavesTheRestWaiting) {
  for (char first : {kNak, '0', kEtx}) {
    outcome.reset();
    Send();
    port.Deliver(Bytes({first, 'X', 'Y'}));
    EXPECT_EQ(outcome, ExchangeOutcome::NotAck) << int(first);
    EXPECT_EQ(finishedAt, 0);
    EXPECT_FALSE(deadline.isActive());
    EXPECT_EQ(port.bytesAvailable(), 2);
    char drop = 0;
    while (port.readByte(&drop)) {
    }
  }
}

TEST_F(LinkExchangeTest, SilenceAfterTheAckTimesOut500msAfterTheAck) {
  Send();
  deadline.Advance(400);
  port.Deliver(Bytes({kAck}));
  deadline.Advance(499);
  EXPECT_FALSE(outcome);
  deadline.Advance(1);
  EXPECT_EQ(outcome, ExchangeOutcome::TimeOut);
  EXPECT_EQ(finishedAt, 900);
}

TEST_F(LinkExchangeTest, NoAnswerAtAllTimesOut500msAfterTheFrame) {
  Send();
  deadline.Advance(499);
  EXPECT_FALSE(outcome);
  deadline.Advance(1);
  EXPECT_EQ(outcome, ExchangeOutcome::TimeOut);
}

TEST_F(LinkExchangeTest, AnAckAt400msRestartsThePeriodForTheRest) {
  Send();
  deadline.Advance(400);
  port.Deliver(Bytes({kAck}));
  deadline.Advance(300);
  port.Deliver(Bytes({'0', '0', kEtx, '1', '2'}));
  EXPECT_EQ(outcome, ExchangeOutcome::Success);
}

TEST_F(LinkExchangeTest, OnlyTheAckRestartsThePeriod) {
  Send();
  port.Deliver(Bytes({kAck}));
  deadline.Advance(300);
  port.Deliver(Bytes({'a', 'b', kEtx}));
  deadline.Advance(199);
  EXPECT_FALSE(outcome);
  deadline.Advance(1);
  EXPECT_EQ(outcome, ExchangeOutcome::TimeOut);
}

TEST_F(LinkExchangeTest, AckEtxAndOneCharacterIsATimeOut) {
  Send();
  port.Deliver(Bytes({kAck, kEtx, '4'}));
  deadline.Advance(500);
  EXPECT_EQ(outcome, ExchangeOutcome::TimeOut);
  EXPECT_EQ(reports, 1);
}

TEST_F(LinkExchangeTest, TheFirstEtxCountsAndTheNextTwoCharactersEndTheAnswerEvenIfEtx) {
  Send();
  port.Deliver(Bytes({kAck, kEtx, kEtx, kEtx, 'R'}));
  EXPECT_EQ(outcome, ExchangeOutcome::Success);
  EXPECT_EQ(port.bytesAvailable(), 1);
}

TEST_F(LinkExchangeTest, ExtraCharactersWaitAndTheNextExchangeReadsThemFirst) {
  Send();
  port.Deliver(testing::AckAnswer() + Bytes({kNak}));
  ASSERT_EQ(outcome, ExchangeOutcome::Success);
  EXPECT_EQ(port.bytesAvailable(), 1);
  outcome.reset();
  Send();  // the stale NAK is the answer's first character
  EXPECT_EQ(outcome, ExchangeOutcome::NotAck);
  EXPECT_EQ(reports, 2);
}

TEST_F(LinkExchangeTest, APortErrorIsReportedWithItsDescription) {
  port.close();
  Send();
  EXPECT_EQ(outcome, ExchangeOutcome::PortError);
  EXPECT_EQ(portError, QStringLiteral("A porta de comunicação não está aberta."));
  EXPECT_FALSE(deadline.isActive());

  port.open(1);
  outcome.reset();
  Send();
  exchange.fail(QStringLiteral("desconectado"));
  EXPECT_EQ(outcome, ExchangeOutcome::PortError);
  EXPECT_EQ(portError, QStringLiteral("desconectado"));
  deadline.Advance(1000);
  EXPECT_EQ(reports, 2);  // no time-out after the end
}

TEST_F(LinkExchangeTest, AnAbandonedExchangeReportsNothing) {
  Send();
  exchange.abandon();
  deadline.Advance(1000);
  port.Deliver(testing::AckAnswer());
  EXPECT_EQ(reports, 0);
}

}  // namespace
}  // namespace zelkor
