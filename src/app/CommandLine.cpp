#include "CommandLine.h"

#include "model/Version.h"

#include <QCommandLineParser>

namespace zelkor {

namespace {

// Written out rather than taken from QCommandLineParser, whose headings are
// English unless Qt's translations happen to be loaded.
const QString kHelp = QStringLiteral(
    "Uso: zelkor-editor [ARQUIVO.zlk | PLANILHA.csv | PLANILHA.xlsx]\n"
    "     zelkor-editor --pdf SAIDA.pdf ARQUIVO.zlk\n"
    "Edita as listas de Variáveis e Alarmes do painel de operação, as grava no CLP\n"
    "(Grava CLP) e as lê de volta dele (Lê CLP).\n"
    "\n"
    "  ARQUIVO.zlk     arquivo de parâmetros aberto ao iniciar\n"
    "  PLANILHA.csv, PLANILHA.xlsx\n"
    "                  planilha importada ao iniciar\n"
    "  --pdf SAIDA.pdf grava a folha impressa das listas do arquivo em SAIDA.pdf,\n"
    "                  sem abrir a janela\n"
    "  -h, --help      mostra esta ajuda e sai\n"
    "  -v, --version   mostra a versão e sai\n");

CommandLine Refuse(const QString& why) {
  return {CommandLine::Action::Refuse,
          {},
          2,
          QStringLiteral("zelkor-editor: ") + why + QStringLiteral(" (veja zelkor-editor --help)\n"),
          {}};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
  const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("SAIDA.pdf"));
  parser.addOptions({help, version, pdf});
  if (!parser.parse(arguments)) {
    QStringList names = parser.unknownOptionNames();
    for (QString& n : names) n.prepend(n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"));
    return Refuse(names.isEmpty() ? QStringLiteral("opção inválida")
                                  : QStringLiteral("opção desconhecida: ") + names.join(QStringLiteral(", ")));
  }
  if (parser.isSet(help)) return {CommandLine::Action::Print, {}, 0, kHelp, {}};
  if (parser.isSet(version)) {
    return {CommandLine::Action::Print, {}, 0, QStringLiteral("Zelkor Editor ") + kVersion + u'\n', {}};
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) return Refuse(QStringLiteral("só um arquivo pode ser aberto de cada vez"));
  if (parser.isSet(pdf)) {
    if (files.isEmpty()) return Refuse(QStringLiteral("--pdf precisa do arquivo das listas"));
    return {CommandLine::Action::Sheet, files.value(0), 0, {}, parser.value(pdf)};
  }
  return {CommandLine::Action::Run, files.value(0), 0, {}, {}};
}

}  // namespace zelkor
