// The yardstick of the start-up benchmark: a bare window as large as the
// editor's (10605 x 6945 twips), started and probed the same way.
#include "app/StartupProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(707, 463);
  zelkor::ProbeStartup(window);
  window.show();
  return QApplication::exec();
}
