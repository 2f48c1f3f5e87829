#include "Editor.h"

#include "alarms/AlarmEditor.h"
#include "editing/RowMoves.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "paramfile/FileCommands.h"
#include "transfer/PlcCommands.h"
#include "variables/VariableEditor.h"

#include <QFile>
#include <QFileInfo>

#include <map>

namespace zelkor::testing {

namespace {

using Command = void (*)(EditorState&);
const std::map<QString, Command> kCommands = {
    {QStringLiteral("salvar V"), BotaoSalvar_Click},         {QStringLiteral("salvar A"), BotaoSalvarAlarme_Click},
    {QStringLiteral("editar V"), BotaoEditar_Click},         {QStringLiteral("editar A"), BotaoEditarAlarme_Click},
    {QStringLiteral("remover V"), BotaoRemover_Click},       {QStringLiteral("remover A"), BotaoRemoverAlarme_Click},
    {QStringLiteral("limpar V"), BotaoLimpar_Click},         {QStringLiteral("limpar A"), BotaoLimparAlarme_Click},
    {QStringLiteral("apagar V"), BotaoApagaListaVariaveis_Click}, {QStringLiteral("apagar A"), BotaoApagaListaAlarmes_Click},
    {QStringLiteral("up V"), BotaoSetaAcima_Click},          {QStringLiteral("up A"), BotaoSetaAcimaAlarme_Click},
    {QStringLiteral("down V"), BotaoSetaAbaixo_Click},       {QStringLiteral("down A"), BotaoSetaAbaixoAlarme_Click},
    {QStringLiteral("check"), CheckGroupSequence}};
using LineCommand = void (*)(EditorState&, int);
const std::map<QString, LineCommand> kLineCommands = {
    {QStringLiteral("click V"), MSFlexGrid1_Click}, {QStringLiteral("dbl V"), MSFlexGrid1_DblClick},
    {QStringLiteral("click A"), MSFlexGrid2_Click}, {QStringLiteral("dbl A"), MSFlexGrid2_DblClick}};
using FileCommand = void (*)(EditorState&, FileDialogService&);
const std::map<QString, FileCommand> kFileCommands = {{QStringLiteral("open"), BotaoAbrirArquivo_Click},
                                                      {QStringLiteral("save"), BotaoSalvarArquivo_Click},
                                                      {QStringLiteral("saveas"), BotaoSalvarComo_Click}};
const std::map<QString, Answer> kAnswers = {
    {QStringLiteral("yes"), Answer::Yes}, {QStringLiteral("no"), Answer::No}, {QStringLiteral("cancel"), Answer::Cancel}};

}  // namespace

EditorTest::EditorTest() {
  WireEditor(state, link, dialogs);
  port.peer = [this](const QByteArray& frame) { return plc.respond(frame); };
  StartUp(state);
}

void EditorTest::Do(const QString& steps) {
  for (const QString& step : steps.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
    const QString verb = step.section(u' ', 0, 0);
    const QString rest = step.section(u' ', 1);
    const QStringList cells = rest.split(u'|');
    if (kCommands.count(step)) {
      kCommands.at(step)(state);
    } else if (kLineCommands.count(step.left(step.size() - rest.size() + 1))) {
      kLineCommands.at(step.left(step.size() - rest.size() + 1))(state, rest.mid(1).toInt());
    } else if (kFileCommands.count(verb)) {
      if (!rest.isEmpty()) dialogs.answers.push_back(rest == u"-" ? QString() : Path(rest));
      kFileCommands.at(verb)(state, dialogs);
    } else if (kAnswers.count(verb)) {
      messages.answers.push_back(kAnswers.at(verb));
    } else if (verb == u"openat") {
      OpenParameterFileAt(state, dialogs, Path(rest));
    } else if (verb == u"answer") {
      dialogs.answers.push_back(Path(rest));
    } else if (verb == u"V") {
      for (int i = 0; i < 4; ++i) state.field(name::Campo(i)).text = cells.value(i);
      state.chechEditavel = cells.value(4) == u"S";
      BotaoSalvar_Click(state);
    } else if (verb == u"A") {
      state.field(name::Texto1).text = cells.value(0);
      state.field(name::Texto2).text = cells.value(1);
      BotaoSalvarAlarme_Click(state);
    } else if (verb == u"Vload") {
      for (const QString& g : rest.split(u' ', Qt::SkipEmptyParts)) {
        state.variables.load({g, QStringLiteral("V%1").arg(state.variables.count() + 1), QStringLiteral("u"), QStringLiteral("D1"),
                              QStringLiteral("Não")});
      }
      ShowVariableCount(state);
    } else if (verb == u"Aload") {
      for (int i = rest.toInt(); i > 0; --i) state.alarms.load(QStringLiteral("A%1").arg(state.alarms.count() + 1));
      ShowAlarmCount(state);
    } else if (verb == u"port") {
      state.portIndex = rest.toInt() - 1;
      ChoosePort(state, link, state.portIndex);
    } else if (verb == u"grava" || verb == u"le" || verb.startsWith(u'+')) {
      if (verb == u"grava") BotaoGravaCLP_Click(state, link);
      if (verb == u"le") BotaoLeCLP_Click(state, link, dialogs);
      if (verb.startsWith(u'+')) deadline.Advance(verb.mid(1).toInt());
      port.Settle();
    } else {
      ADD_FAILURE() << "unknown step: " << step.toStdString();
    }
  }
}

void EditorTest::Play(std::initializer_list<std::pair<const char*, const char*>> script) {
  for (const auto& [steps, expected] : script) {
    Do(QString::fromUtf8(steps));
    EXPECT_EQ(Shown(), QString::fromUtf8(expected)) << "after: " << steps;
  }
}

QString EditorTest::Shown() {
  QStringList parts, rows, counts, on, red, amber, txt;
  const Grid& vg = state.variables.grid();
  for (int r = 1; r <= state.variables.count(); ++r) {
    int lit = 0;
    for (int c = varcol::Texto; c <= varcol::Editavel; ++c) lit += vg.background(r, c) == colours::Amber;
    rows << vg.text(r, varcol::Grupo) + u'/' + vg.text(r, varcol::Texto) + u'/' + state.variables.orderKey(r) +
                QString(lit > 0 ? 1 : 0, lit == 4 ? u'*' : u'?');
  }
  parts << QStringLiteral("V[%1]").arg(rows.join(u' '));
  rows.clear();
  for (int r = 1; r <= state.alarms.count(); ++r) {
    QString text = state.alarms.text(r);
    while (text.endsWith(u' ')) text.chop(1);
    rows << text + QString(state.alarms.grid().background(r, 0) == colours::Amber ? 1 : 0, u'*');
  }
  parts << QStringLiteral("A[%1]").arg(rows.join(u' '));
  for (const auto& [display, count] : {std::pair{name::TotalLinhasVariaveis, state.variables.count()},
                                       {name::TotalLinhasAlarme, state.alarms.count()}}) {
    const FieldState& f = state.field(display);
    counts << f.text + QString(f.background == (count > 0 ? colours::Amber : colours::White) ? 0 : 1, u'!');
  }
  parts << QStringLiteral("n=") + counts.join(u'/');
  if (!state.field(name::MemoriaInicial).text.isEmpty()) parts << QStringLiteral("mem=") + state.field(name::MemoriaInicial).text;
  if (state.variables.selectedRow()) parts << QStringLiteral("sel=V%1").arg(state.variables.selectedRow());
  if (state.alarms.selectedRow()) parts << QStringLiteral("sel=A%1").arg(state.alarms.selectedRow());
  if (state.variableEditing) parts << QStringLiteral("edit=V");
  if (state.alarmEditing) parts << QStringLiteral("edit=A");
  for (const QString& list : {QString(), QStringLiteral("Alarme")}) {
    QString letters;
    for (const auto& [button, letter] : {std::pair{QStringLiteral("Editar"), u'E'}, {QStringLiteral("Remover"), u'R'},
                                         {QStringLiteral("SetaAcima"), u'↑'}, {QStringLiteral("SetaAbaixo"), u'↓'}}) {
      const ButtonState& b = state.button(QStringLiteral("Botão") + button + list);
      letters += QString(b.enabled ? 1 : 0, letter);
      if (letter < 128 && b.background != (b.enabled ? colours::Amber : colours::Grey)) letters += u'!';
    }
    on << letters;
  }
  if (on.join(QString()) != QString()) parts << QStringLiteral("on=") + on.join(u'/');
  for (const auto& [objectName, field] : state.fields()) {
    if (field.background == colours::Red) red << objectName;
    const bool entry = objectName.startsWith(QStringLiteral("Campo")) || objectName.startsWith(QStringLiteral("Texto"));
    if (field.background == colours::Amber && entry) amber << objectName;
  }
  if (!red.isEmpty()) parts << QStringLiteral("red=") + red.join(u',');
  const QString lit = amber.join(u',')
                          .replace(QStringLiteral("Campo(0),Campo(1),Campo(2),Campo(3)"), QStringLiteral("V"))
                          .replace(QStringLiteral("Texto1,Texto2"), QStringLiteral("A"));
  if (!lit.isEmpty()) parts << QStringLiteral("amber=") + lit;
  if (vg.background(0, varcol::Grupo) == colours::Red) parts << QStringLiteral("grupo=red");
  if (vg.text(0, varcol::Grupo) + state.alarms.grid().text(0, 0) != u"GrupoTexto editado Alarmes (8X8)") parts << QStringLiteral("header!");
  for (int i = 0; i < 4; ++i) txt << state.field(name::Campo(i)).text;
  txt << QString(state.chechEditavel ? 1 : 0, u'S');
  if (!txt.join(QString()).isEmpty()) parts << QStringLiteral("txt=") + txt.join(u'|');
  const QString alarmTexts = state.field(name::Texto1).text + u'|' + state.field(name::Texto2).text;
  if (alarmTexts != u"|") parts << QStringLiteral("txtA=") + alarmTexts;
  if (!state.focus.isEmpty()) parts << QStringLiteral("focus=") + std::exchange(state.focus, QString());
  if (state.listsChanged) parts << QStringLiteral("changed");
  if (state.failure) parts << QStringLiteral("fail");
  if (const QString titles = Titles(); !titles.isEmpty()) parts << QStringLiteral("msg=") + titles;
  if (state.title != kWindowTitle) parts << QStringLiteral("title=") + state.title.section(QStringLiteral(" - "), 1);
  if (!state.currentPath.isEmpty()) parts << QStringLiteral("file=") + QFileInfo(state.currentPath).fileName();
  if (state.button(name::BotaoSalvarArquivo).enabled) parts << QStringLiteral("salvarOn");
  if (port.isOpen()) parts << QStringLiteral("port=%1").arg(port.openPort);
  if (link.IsTransferring()) parts << QStringLiteral("sending");
  if (state.readingPlc) parts << QStringLiteral("locked");
  return parts.join(u' ');
}

QByteArray EditorTest::Bytes(const QString& name) const {
  QFile f(Path(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void EditorTest::WriteFile(const QString& name, const QByteArray& bytes) const {
  QFile f(Path(name));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

}  // namespace zelkor::testing
