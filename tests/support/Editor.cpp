#include "Editor.h"

#include "commands/AlarmEditor.h"
#include "commands/EditorLifecycle.h"
#include "commands/FileCommands.h"
#include "commands/History.h"
#include "commands/PlcCommands.h"
#include "commands/RowMoves.h"
#include "commands/VariableEditor.h"

#include <QFile>
#include <QFileInfo>

#include <map>

namespace zelkor::testing {

namespace {

using Command = std::function<void(Editor&)>;
Command Move(void (*move)(Editor&, Direction), Direction d) {
  return [=](Editor& s) { move(s, d); };
}
// clang-format off
const std::map<QString, Command> kCommands = {
    {QStringLiteral("include V"), IncludeVariableLine},     {QStringLiteral("include A"), IncludeAlarmLine},
    {QStringLiteral("remove V"), RemoveSelectedVariable}, {QStringLiteral("remove A"), RemoveSelectedAlarm},
    {QStringLiteral("clearfields V"), ClearVariableFields},     {QStringLiteral("clearfields A"), ClearAlarmFields},
    {QStringLiteral("clearlist V"), ClearVariableList},       {QStringLiteral("clearlist A"), ClearAlarmList},
    {QStringLiteral("up V"), Move(MoveVariable, Direction::Up)},     {QStringLiteral("up A"), Move(MoveAlarm, Direction::Up)},
    {QStringLiteral("down V"), Move(MoveVariable, Direction::Down)}, {QStringLiteral("down A"), Move(MoveAlarm, Direction::Down)},
    {QStringLiteral("edit V"), EditSelectedVariable},    {QStringLiteral("edit A"), EditSelectedAlarm},
    {QStringLiteral("check"), [](Editor& s) { static_cast<void>(CheckGroupSequence(s)); }}, {QStringLiteral("checklists"), CheckLists},
    {QStringLiteral("undo"), UndoStep}, {QStringLiteral("redo"), RedoStep}};
using LineCommand = void (*)(Editor&, int);
const std::map<QString, LineCommand> kLineCommands = {
    {QStringLiteral("click V"), SelectVariableLine}, {QStringLiteral("dbl V"), EditVariableLine},
    {QStringLiteral("click A"), SelectAlarmLine},    {QStringLiteral("dbl A"), EditAlarmLine}};
using FileCommand = std::function<void(Editor&)>;  // a save's answer unused
const std::map<QString, FileCommand> kFileCommands = {
    {QStringLiteral("open"), OpenFile}, {QStringLiteral("save"), SaveFile}, {QStringLiteral("saveas"), SaveFileAs}};
const std::map<QString, Answer> kAnswers = {
    {QStringLiteral("yes"), Answer::Yes}, {QStringLiteral("no"), Answer::No}, {QStringLiteral("cancel"), Answer::Cancel}};
// clang-format on

// What the window calls the control each focus goes to.
QString FocusName(Focus focus) {
  return QStringLiteral(
             ",Campo(0),Campo(3),Texto1,BotãoSetaAcima,BotãoSetaAbaixo,BotãoSetaAcimaAlarme,BotãoSetaAbaixoAlarme")
      .section(u',', static_cast<int>(focus), static_cast<int>(focus));
}

}  // namespace

EditorTest::EditorTest() {
  port.peer = [this](const QByteArray& frame) { return plc.Respond(frame); };
  StartUp(state);
}

void EditorTest::Do(const QString& steps) {
  for (const QString& step : steps.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
    const QString verb = step.section(u' ', 0, 0);
    const QString rest = step.section(u' ', 1);
    const QStringList cells = rest.split(u'|');
    const QString lineVerb = step.left(step.size() - rest.size() + 1);
    // Each step is one command, its errors reported as the window reports them.
    Guarded(messages, [&] {
      if (kCommands.count(step)) {
        kCommands.at(step)(state);
      } else if (kLineCommands.count(lineVerb)) {
        kLineCommands.at(lineVerb)(state, rest.mid(1).toInt());
      } else if (kFileCommands.count(verb)) {
        if (!rest.isEmpty()) dialogs.answers.push_back(rest == u"-" ? QString() : Path(rest));
        kFileCommands.at(verb)(state);
      } else if (kAnswers.count(verb)) {
        messages.answers.push_back(kAnswers.at(verb));
      } else if (verb == u"openat") {
        OpenFileAt(state, Path(rest));
      } else if (verb == u"answer") {
        dialogs.answers.push_back(Path(rest));
      } else if (verb == u"V") {
        for (int i = 0; i < 4; ++i) state.variablePage.entry[i].text = cells.value(i);
        state.variablePage.editable = cells.value(4) == u"S";
        IncludeVariableLine(state);
      } else if (verb == u"A") {
        state.alarmPage.entry[0].text = cells.value(0);
        state.alarmPage.entry[1].text = cells.value(1);
        IncludeAlarmLine(state);
      } else if (verb == u"Vload") {
        for (const QString& g : rest.split(u' ', Qt::SkipEmptyParts)) {
          const int row = static_cast<int>(state.lists.variables.size()) + 1;
          state.lists.variables.push_back({g, QStringLiteral("V%1").arg(row), QStringLiteral("u"),
                                           QStringLiteral("D%1").arg(row), false, OrderKey(g.left(1), row)});
        }
        ShowVariableCount(state);
      } else if (verb == u"Aload") {
        for (int i = rest.toInt(); i > 0; --i)
          state.lists.alarms << QStringLiteral("A%1").arg(state.lists.alarms.size() + 1);
        ShowAlarmCount(state);
      } else if (verb == u"port") {
        state.link.portIndex = rest.toInt() - 1;
        ChoosePort(state, state.link.portIndex);
      } else if (step == u"lose" || step == u"close") {
        step == u"lose" ? port.Lose(QStringLiteral("perdida")) : static_cast<void>(CloseRequest(state));
      } else if (verb == u"useplc" || verb == u"verify") {
        (verb == u"useplc" ? comparisons.useNext : state.link.verifyWrites) = true;
      } else if (verb == u"find") {
        FindPlc(state);
        for (int round = 0; round < 20 && link.RunningKind() == TransferKind::Search; ++round) {
          port.Settle();
          deadline.Advance(500);
        }
      } else if (verb == u"write" || verb == u"read" || verb == u"compare" || verb == u"plc" || verb.startsWith(u'+')) {
        if (verb == u"plc") port.answersLeft = rest.isEmpty() ? -1 : rest.toInt();
        if (step == u"plc" && link.IsTransferring()) port.Deliver(port.peer(port.written.back()));
        if (verb == u"write") WriteToPlc(state);
        if (verb == u"read") ReadFromPlc(state);
        if (verb == u"compare") CompareWithPlc(state, comparisons);
        if (verb.startsWith(u'+')) deadline.Advance(verb.mid(1).toInt());
        port.Settle();
      } else {
        ADD_FAILURE() << "unknown step: " << step.toStdString();
      }
    });
  }
}

void EditorTest::PlayScript(const QString& path, const QString& section) {
  QFile file(QStringLiteral(ZELKOR_TESTS_DIR "/") + path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  const qsizetype start = lines.indexOf(u'[' + section + u']');
  ASSERT_GE(start, 0) << "no section " << section.toStdString() << " in " << path.toStdString();
  QString steps;
  for (qsizetype i = start + 1; i < lines.size() && !lines[i].startsWith(u'['); ++i) {
    if (lines[i].startsWith(QStringLiteral("> "))) Do(steps = lines[i].mid(2));
    if (lines[i].startsWith(QStringLiteral("= "))) {
      EXPECT_EQ(Shown(), lines[i].mid(2)) << path.toStdString() << ':' << i + 1 << " after: " << steps.toStdString();
    }
  }
}

QString EditorTest::Shown(unsigned parts) {
  QStringList shown, rows, counts, on, red, amber, txt;
  const auto star = [](const ListPageState& page, int row) {
    return QString(page.highlighted && page.selectedRow == row ? 1 : 0, u'*');
  };
  if (parts & kLists) {
    int r = 0;
    for (const VariableRow& v : state.lists.variables)
      rows << v.grupo + u'/' + v.texto + u'/' + v.orderKey + star(state.variablePage, ++r) +
                  QString(state.variablePage.grupoMarked ? 1 : 0, u'!');
    shown << QStringLiteral("V[%1]").arg(rows.join(u' '));
    rows.clear();
    r = 0;
    for (QString text : state.lists.alarms) {
      while (text.endsWith(u' ')) text.chop(1);
      rows << text + star(state.alarmPage, ++r);
    }
    shown << QStringLiteral("A[%1]").arg(rows.join(u' '));
    for (const auto& [display, count] : {std::pair{&state.files.variableCount, state.lists.variables.size()},
                                         {&state.files.alarmCount, static_cast<size_t>(state.lists.alarms.size())}})
      counts << display->text +
                    QString(display->background == (count > 0 ? colours::Amber : colours::White) ? 0 : 1, u'!');
    shown << QStringLiteral("n=") + counts.join(u'/');
    if (!state.files.firstWord.text.isEmpty()) shown << QStringLiteral("mem=") + state.files.firstWord.text;
  }
  if (parts & kSelection) {
    if (const int v = state.variablePage.selectedRow) shown << QStringLiteral("sel=V%1").arg(v);
    if (const int a = state.alarmPage.selectedRow) shown << QStringLiteral("sel=A%1").arg(a);
    if (state.variablePage.editing) shown << QStringLiteral("edit=V");
    if (state.alarmPage.editing) shown << QStringLiteral("edit=A");
    for (const RowButtons* b : {&state.variablePage.rows, &state.alarmPage.rows}) {
      QString letters;
      for (const auto& [button, letter] :
           {std::pair{&b->edit, u'E'}, {&b->remove, u'R'}, {&b->up, u'↑'}, {&b->down, u'↓'}}) {
        letters += QString(button->enabled ? 1 : 0, letter);
        if (letter < 128 && button->background != (button->enabled ? colours::Amber : colours::Grey)) letters += u'!';
      }
      on << letters;
    }
    if (on.join(QString()) != QString()) shown << QStringLiteral("on=") + on.join(u'/');
  }
  if (parts & kFields) {
    // In the order of the controls' names, as the window lists them.
    const std::pair<const char16_t*, const FieldState*> fields[] = {
        {u"Campo(0)", &state.variablePage.entry[0]}, {u"Campo(1)", &state.variablePage.entry[1]},
        {u"Campo(2)", &state.variablePage.entry[2]}, {u"Campo(3)", &state.variablePage.entry[3]},
        {u"Texto1", &state.alarmPage.entry[0]},      {u"Texto2", &state.alarmPage.entry[1]}};
    for (const auto& [objectName, field] : fields) {
      if (field->background == colours::Red) red << QString::fromUtf16(objectName);
      if (field->background == colours::Amber) amber << QString::fromUtf16(objectName);
    }
    if (!red.isEmpty()) shown << QStringLiteral("red=") + red.join(u',');
    const QString lit = amber.join(u',')
                            .replace(QStringLiteral("Campo(0),Campo(1),Campo(2),Campo(3)"), QStringLiteral("V"))
                            .replace(QStringLiteral("Texto1,Texto2"), QStringLiteral("A"));
    if (!lit.isEmpty()) shown << QStringLiteral("amber=") + lit;
    if (state.variablePage.grupoMarked) shown << QStringLiteral("grupo=red");
    for (const FieldState& f : state.variablePage.entry) txt << f.text;
    txt << QString(state.variablePage.editable ? 1 : 0, u'S');
    if (!txt.join(QString()).isEmpty()) shown << QStringLiteral("txt=") + txt.join(u'|');
    const QString alarmTexts = state.alarmPage.entry[0].text + u'|' + state.alarmPage.entry[1].text;
    if (alarmTexts != u"|") shown << QStringLiteral("txtA=") + alarmTexts;
    if (state.focus != Focus::None)
      shown << QStringLiteral("focus=") + FocusName(std::exchange(state.focus, Focus::None));
  }
  if (parts & kMessages) {
    if (state.listsChanged) shown << QStringLiteral("changed");
    if (const QString titles = Titles(); !titles.isEmpty()) shown << QStringLiteral("msg=") + titles;
    for (; comparisonsSeen < comparisons.shown.size(); ++comparisonsSeen) {
      QStringList lines{comparisons.shown[comparisonsSeen].second.Summary()};
      for (const ComparedRow& r : comparisons.shown[comparisonsSeen].second.rows)
        lines << r.list.left(1) + QString::number(r.line) + u' ' + r.editor + QStringLiteral(" / ") + r.plc;
      shown << QStringLiteral("cmp[%1]").arg(lines.join(QStringLiteral("; ")));
    }
  }
  if (parts & kFile) {
    if (const QString title = WindowTitle(state.source); title != kWindowTitle)
      shown << QStringLiteral("title=") + title.section(QStringLiteral(" - "), 1);
    if (const QString file = state.source.SavePath(); !file.isEmpty())
      shown << QStringLiteral("file=") + QFileInfo(file).fileName();
    if (state.files.save.enabled) shown << QStringLiteral("salvarOn");
  }
  if (parts & kLink) {
    if (port.IsOpen()) shown << QStringLiteral("port=%1").arg(port.openPort);
    if (!port.IsOpen() && (state.link.portIndex >= 0 || state.link.write.enabled))
      shown << QStringLiteral("port=%1 fechada").arg(state.link.portIndex + 1);
    if (link.IsTransferring()) shown << QStringLiteral("sending");
    if (state.readingPlc) shown << QStringLiteral("locked");
  }
  return shown.join(u' ');
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
