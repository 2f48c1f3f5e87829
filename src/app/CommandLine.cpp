#include "CommandLine.h"

#include "model/Version.h"

#include <QCommandLineParser>

#include <utility>

namespace zelkor {

namespace {

// Written out rather than taken from QCommandLineParser, whose headings are
// English unless Qt's translations happen to be loaded.
const QString kHelp = QStringLiteral(
    "Uso: zelkor-editor [ARQUIVO.zlk | PLANILHA.csv | PLANILHA.xlsx]\n"
    "     zelkor-editor --pdf SAIDA.pdf ARQUIVO.zlk\n"
    "     zelkor-editor --write ARQUIVO --port PORTA [--verify] [--force]\n"
    "     zelkor-editor --read SAIDA.zlk --port PORTA\n"
    "     zelkor-editor --compare ARQUIVO --port PORTA\n"
    "     zelkor-editor --find-plc\n"
    "     zelkor-editor --manual\n"
    "Edita as listas de Variáveis e Alarmes do painel de operação, as grava no CLP\n"
    "(Grava CLP) e as lê de volta dele (Lê CLP).\n"
    "\n"
    "  ARQUIVO.zlk     arquivo de parâmetros aberto ao iniciar\n"
    "  PLANILHA.csv, PLANILHA.xlsx\n"
    "                  planilha importada ao iniciar\n"
    "  --pdf SAIDA.pdf grava a folha impressa das listas do arquivo em SAIDA.pdf,\n"
    "                  sem abrir a janela\n"
    "  --write ARQUIVO grava no CLP as listas do arquivo (.zlk, .csv ou .xlsx)\n"
    "  --verify        depois de gravar, lê cada palavra de volta e confere\n"
    "  --force         grava mesmo com avisos sobre as listas\n"
    "  --read SAIDA.zlk\n"
    "                  lê as listas do CLP para um arquivo novo (nunca sobrescreve)\n"
    "  --compare ARQUIVO\n"
    "                  compara as listas do arquivo com as do CLP\n"
    "  --port PORTA    a porta do CLP: um número (3 = Porta # 03) ou um dispositivo\n"
    "                  (/dev/ttyUSB0, COM5)\n"
    "  --find-plc      procura o CLP em todas as portas e diz em qual está\n"
    "  --manual        abre o manual do editor, sem a janela das listas\n"
    "Sem janela, o progresso vai para a saída de erros e o resultado é o texto da\n"
    "janela. Saída: 0 feito (ou listas iguais), 1 falhou, 2 uso errado, 3 --compare\n"
    "achou diferenças, 4 --write parado por um aviso (--force grava assim mesmo).\n"
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
  const QCommandLineOption write(QStringLiteral("write"), {}, QStringLiteral("ARQUIVO"));
  const QCommandLineOption read(QStringLiteral("read"), {}, QStringLiteral("SAIDA.zlk"));
  const QCommandLineOption compare(QStringLiteral("compare"), {}, QStringLiteral("ARQUIVO"));
  const QCommandLineOption findPlc(QStringLiteral("find-plc"), {});
  const QCommandLineOption port(QStringLiteral("port"), {}, QStringLiteral("PORTA"));
  const QCommandLineOption verify(QStringLiteral("verify"), {});
  const QCommandLineOption force(QStringLiteral("force"), {});
  const QCommandLineOption manual(QStringLiteral("manual"), {});
  parser.addOptions({help, version, pdf, write, read, compare, findPlc, port, verify, force, manual});
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
  const std::pair<const QCommandLineOption*, CommandLine::Action> transfers[] = {
      {&write, CommandLine::Action::Write},
      {&read, CommandLine::Action::Read},
      {&compare, CommandLine::Action::Compare},
      {&findPlc, CommandLine::Action::FindPlc},
      {&manual, CommandLine::Action::Manual}};
  const auto withoutFile = [](CommandLine::Action a) {
    return a == CommandLine::Action::FindPlc || a == CommandLine::Action::Manual;
  };
  QStringList chosen;
  CommandLine transfer;
  for (const auto& [option, action] : transfers) {
    if (!parser.isSet(*option)) continue;
    chosen << QStringLiteral("--") + option->names().constFirst();
    transfer.action = action;
    if (!withoutFile(action)) transfer.file = parser.value(*option);
  }
  if (parser.isSet(pdf)) chosen << QStringLiteral("--pdf");
  if (chosen.size() > 1) return Refuse(chosen.join(QStringLiteral(" e ")) + QStringLiteral(" não vão juntos"));
  const bool needsPort = transfer.action != CommandLine::Action::Run && !withoutFile(transfer.action);
  if (needsPort && !parser.isSet(port)) return Refuse(chosen.constFirst() + QStringLiteral(" precisa de --port PORTA"));
  if (!needsPort && parser.isSet(port))
    return Refuse(QStringLiteral("--port só vale com --write, --read ou --compare"));
  for (const QCommandLineOption* option : {&verify, &force}) {
    if (parser.isSet(*option) && transfer.action != CommandLine::Action::Write) {
      return Refuse(QStringLiteral("--") + option->names().constFirst() + QStringLiteral(" só vale com --write"));
    }
  }
  if (transfer.action != CommandLine::Action::Run) {
    if (!files.isEmpty()) return Refuse(QStringLiteral("arquivo a mais: ") + files.constFirst());
    transfer.port = parser.value(port);
    transfer.verify = parser.isSet(verify);
    transfer.force = parser.isSet(force);
    return transfer;
  }
  if (files.size() > 1) return Refuse(QStringLiteral("só um arquivo pode ser aberto de cada vez"));
  if (parser.isSet(pdf)) {
    if (files.isEmpty()) return Refuse(QStringLiteral("--pdf precisa do arquivo das listas"));
    return {CommandLine::Action::Sheet, files.value(0), 0, {}, parser.value(pdf)};
  }
  return {CommandLine::Action::Run, files.value(0), 0, {}, {}};
}

}  // namespace zelkor
