// The answer parser: any bytes, cut into any chunks, with time passing
// between them. Each exchange ends exactly once, as the answer rule says:
// ACK first, anything up to ETX, two more characters, within 500 ms of the
// frame and again of the ACK.
#include "link/LinkExchange.h"
#include "support/FakeSerialPort.h"

#include <cstdlib>
#include <optional>

using zelkor::ExchangeOutcome;

// Input: records of [delay in 4 ms steps][length][bytes].
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zelkor::testing::FakeSerialPort port;
  zelkor::testing::ManualDeadline deadline;
  zelkor::LinkExchange exchange(port, deadline);
  std::optional<ExchangeOutcome> outcome, expected;
  int reports = 0;
  QObject::connect(&exchange, &zelkor::LinkExchange::Finished, [&](ExchangeOutcome o, const QString&) {
    ++reports;
    outcome = o;
  });
  port.Open(1);
  exchange.Start("FRAME");
  int now = 0, periodStart = 0, stage = 0;  // the reference: stage 0 before ACK, 1 before ETX, 2.. after it
  for (size_t i = 0; i + 1 < size; i += 2 + data[i + 1]) {
    const QByteArray chunk(reinterpret_cast<const char*>(data + i + 2),
                           static_cast<qsizetype>(std::min<size_t>(data[i + 1], size - i - 2)));
    now += data[i] * 4;
    if (!expected && now - periodStart >= 500) expected = ExchangeOutcome::TimeOut;
    for (const char byte : chunk) {
      if (expected) break;
      if (stage == 0 && byte != zelkor::kAck) expected = ExchangeOutcome::NotAck;
      if (stage == 0) periodStart = now;
      stage += stage >= 2 || stage == 0 || byte == zelkor::kEtx;
      if (stage == 4) expected = ExchangeOutcome::Success;
    }
    deadline.Advance(data[i] * 4);
    port.Deliver(chunk);
  }
  deadline.Advance(500);
  if (reports != 1 || outcome != expected.value_or(ExchangeOutcome::TimeOut) || exchange.Waiting()) std::abort();
  return 0;
}
