#include "Printers.h"

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace zelkor {

void PrintTo(const Rgb& c, std::ostream* os) { *os << "Rgb(" << c.r << ", " << c.g << ", " << c.b << ")"; }

void PrintTo(const Message& m, std::ostream* os) {
  QString text = m.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"));
  *os << "Message{\"" << text.toStdString() << "\", title \"" << m.title.toStdString() << "\", "
      << (m.buttons == MessageButtons::Ok ? "Ok" : "YesNoCancel") << ", icon " << static_cast<int>(m.icon) << "}";
}

void PrintTo(const VariableRow& r, std::ostream* os) {
  *os << "VariableRow{" << r.grupo.toStdString() << "|" << r.texto.toStdString() << "|"
      << r.unidade.toStdString() << "|" << r.endereco.toStdString() << "|" << r.editavel.toStdString() << "}";
}

}  // namespace zelkor
