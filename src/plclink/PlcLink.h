#pragma once

#include "LinkExchange.h"
#include "SerialPort.h"
#include "core/EditorState.h"

#include <QByteArray>
#include <QList>
#include <QObject>

namespace zelkor {

// The frames of one "Grava CLP": the image header, then one frame per
// Variable row and per Alarm row, in list order, each at its word address.
// Throws ImageError (naming the row) for a row that has no valid record.
QList<QByteArray> TransferFrames(const VariableList& variables, const AlarmList& alarms);

// The PLC link of the window: the port choice and the "Grava CLP" transfer.
class PlcLink : public QObject {
  Q_OBJECT

 public:
  PlcLink(EditorState& state, SerialPort& port, Deadline& deadline, QObject* parent = nullptr);

  // Builds every frame from the lists as they are now, then sends them one by
  // one, each after the answer to the one before; returns at once.
  void BotaoGravaCLP_Click();
  // The entry `index` (0 = "Porta # 01") was picked with the mouse.
  void ComboPorta_Click(int index);
  // Closes the port, open or not (never during a transfer: closing waits for its end).
  void ClosePort();
  // Tool-tips of the port entries: the device each one stands for now.
  void RefreshPortDevices();

  bool transferring() const { return !pending_.isEmpty() || exchange_.waiting(); }
  SerialPort& port() { return port_; }

 Q_SIGNALS:
  // A transfer has ended (sent everything, failed, or was cut off).
  void transferEnded();
  // The port was lost while idle and has been reported.
  void portLost();

 private:
  void sendNext();
  void onExchangeFinished(ExchangeOutcome outcome, const QString& portError);
  void refuseWhileTransferring(const QString& text);

  EditorState& state_;
  SerialPort& port_;
  LinkExchange exchange_;
  QList<QByteArray> pending_;
  int chosenIndex_ = -1;
};

}  // namespace zelkor
