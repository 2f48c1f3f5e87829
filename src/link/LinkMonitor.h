#pragma once

#include "PlcLink.h"

#include <QObject>
#include <QStringList>

#include <deque>

namespace zelkor {

// The line monitor: every frame sent and every answer received, one line
// each, with the time since its transfer began, the direction, the
// characters (control characters named) and what they mean; the port and
// each transfer's start and end are lines too. It keeps the newest lines.
class LinkMonitor : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMaxLines = 20000;

  LinkMonitor(PlcLink& link, const Deadline& clock, QObject* parent = nullptr);

  const std::deque<QString>& Lines() const { return lines_; }
  // Lines added since the last take; the window shows them in one go.
  QStringList TakeNew();
  void Clear();

  // What a frame asks for: "escrita de 4 palavras em D4496", "leitura de 7 palavras em D4489".
  static QString Meaning(const QByteArray& frame);
  // What an answer says: "ACK", "NAK, código 4201", "sem resposta em 500 ms", "porta perdida: ...",
  // "erro da porta: ..." (a frame that could not be written).
  static QString Meaning(ExchangeOutcome outcome, const QByteArray& answer, const QByteArray& rest,
                         const QString& portError);

 Q_SIGNALS:
  void LinesAdded();

 private:
  void Add(const QString& direction, const QString& text);

  const Deadline& clock_;
  qint64 transferStartedAt_ = -1;  // -1: no transfer runs
  bool searching_ = false;         // the transfer is the PLC search
  qint64 portOpenedAt_ = -1;       // -1: no port was ever opened
  std::deque<QString> lines_;
  QStringList new_;
};

}  // namespace zelkor
