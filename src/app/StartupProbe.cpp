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
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // The whole window is painted and flushed before queued calls run.
      QTimer::singleShot(0, [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::quit();
      });
    }
    return false;
  }
};

}  // namespace

void ProbeStartup(QWidget& window) {
  if (qEnvironmentVariableIsEmpty("ZELKOR_STARTUP_PROBE")) return;
  window.installEventFilter(new FirstPaint(&window));
}

}  // namespace zelkor
