#include "StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace zelkor {

namespace {

class FirstPaint final : public QObject {
 public:
  FirstPaint(QObject* parent, std::function<void()> then) : QObject(parent), then_(std::move(then)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // The whole window is painted and flushed before queued calls run.
      QTimer::singleShot(0, this, then_);
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> then) {
  window.installEventFilter(new FirstPaint(&window, std::move(then)));
}

void ProbeStartup(QWidget& window) {
  if (qEnvironmentVariableIsEmpty("ZELKOR_STARTUP_PROBE")) return;
  AfterFirstPaint(window, [] {
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
}

}  // namespace zelkor
