// Renders the main window to a PNG, for the README and for looking at the
// layout. An optional second argument names a sample to show:
//   lists  — a few variables and alarms, the second variable selected.
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "ui/FormPrincipal.h"
#include "ui/QtMessageService.h"

#include <QApplication>
#include <QPixmap>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  if (argc < 2) {
    std::fputs("usage: zelkor-screenshot OUTPUT.png [lists]\n", stderr);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString sample = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

  zelkor::QtMessageService messages;
  zelkor::FormPrincipal window(messages);
  if (sample == QStringLiteral("lists")) {
    window.Run([&] {
      auto& s = window.state();
      s.variables.append({QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("C"), QStringLiteral("D100"),
                          QStringLiteral("Não")});
      s.variables.append({QStringLiteral("0"), QStringLiteral("PRESSÃO"), QStringLiteral("bar"),
                          QStringLiteral("D102"), QStringLiteral("Sim")});
      s.variables.append({QStringLiteral("1"), QStringLiteral("NÍVEL"), QStringLiteral("%"), QStringLiteral("C12"),
                          QStringLiteral("Sim")});
      s.alarms.append(QStringLiteral("BOMBA   FALHA   "));
      zelkor::ShowVariableCount(s);
      zelkor::ShowAlarmCount(s);
    });
  }
  window.show();
  QTimer::singleShot(300, [&] {
    const bool saved = window.grab().save(output);
    if (!saved) std::fprintf(stderr, "could not write %s\n", argv[1]);
    QApplication::exit(saved ? 0 : 1);
  });
  return QApplication::exec();
}
