#pragma once

#include "support/FakeSerialPort.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedDialogs.h"
#include "ui/FormPrincipal.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zelkor::testing {

// The window with scripted message boxes, file dialogs and serial port.
class WindowTest : public ::testing::Test {
 protected:
  // A shown, active window, for tests of focus and real clicks.
  void ShowActive() {
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <class W = QWidget>
  W* Find(const QString& objectName) {
    auto* widget = window->findChild<W*>(objectName);
    EXPECT_NE(widget, nullptr) << objectName.toStdString();
    return widget;
  }

  RecordingMessages messages;
  ScriptedDialogs files;
  FakeSerialPort port;
  ManualDeadline deadline;
  std::unique_ptr<FormPrincipal> window =
      std::make_unique<FormPrincipal>(Platform{messages, files, port, deadline});
};

}  // namespace zelkor::testing
