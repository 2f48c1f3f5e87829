#include "core/ControlNames.h"
#include "support/FakeSerialPort.h"
#include "support/Printers.h"
#include "support/ScriptedSeams.h"

#include "ui/FormPrincipal.h"
#include "ui/QtFileDialog.h"
#include "ui/QtMessageService.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace zelkor {
namespace {

Rgb ToRgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

// The window, shown and active, with scripted message boxes, file dialogs and serial port.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    port.peer = [](const QByteArray&) { return testing::AckAnswer(); };
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <class W = QWidget>
  W* Find(const QString& n) { return window->findChild<W*>(n); }
  void Click(const QString& button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QLineEdit* Field(const QString& n) { return Find<QLineEdit>(n); }
  Rgb Colour(const QString& n, QPalette::ColorRole role) { return ToRgb(Find(n)->palette().color(role)); }
  void ClickRow(int line, bool twice = false) {
    QTableView& grid = window->variableGrid();
    const QPoint at = grid.visualRect(grid.model()->index(line - 1, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
  }
  void Type(const QString& line, const QString& button) {
    const QStringList cells = line.split(u'|');
    for (int i = 0; i < cells.size(); ++i) Field(i < 4 ? name::Campo(i) : name::Texto1)->setText(cells[i]);
    Click(button);
  }
  // A pick with the mouse from the open list, as a technician makes it.
  void Pick(int index) {
    auto* combo = Find<QComboBox>(name::ComboPorta);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(index, 0)).center());
  }
  testing::RecordingMessages messages;
  testing::ScriptedDialogs files;
  testing::FakeSerialPort port;
  testing::ManualDeadline deadline;
  std::unique_ptr<FormPrincipal> window = std::make_unique<FormPrincipal>(Platform{messages, files, port, deadline});
};

TEST_F(WindowTest, EveryControlHasItsExactNameItsPlaceItsTextsAndItsColour) {
  QStringList texts;  // names, captions, tool-tips and length limits are the system's own
  for (auto* w : window->findChildren<QPushButton*>()) texts << w->objectName() + u':' + w->text() + w->toolTip();
  for (auto* w : window->findChildren<QLineEdit*>()) texts << w->objectName() + u':' + QString::number(w->maxLength() % 32767);
  for (const QString& n : {name::SSTab1, name::MSFlexGrid1, name::MSFlexGrid2, name::ChechEditavel, name::ComboPorta}) texts << Find(n)->objectName();
  texts.sort();
  EXPECT_EQ(texts.join(u'|'), QStringLiteral(
      "BotãoAbrirArquivo:Abrir arquivo|BotãoApagaListaAlarmes:Apaga a lista de Alarmes ao lado|BotãoApagaListaVariáveis:Apaga a lista de Variáveis ao lado|"
      "BotãoEditar:Editar|BotãoEditarAlarme:Editar|BotãoGravaCLP:Grava conteúdo das listas correntes no CLP|BotãoLimpar:Apaga campos de digitação ao lado|"
      "BotãoLimparAlarme:Apaga campos de digitação ao lado|BotãoLêCLP:Lê CLP|BotãoRemover:Remover|BotãoRemoverAlarme:Remover|"
      "BotãoSalvar:Inclui linha digitada na lista acima|BotãoSalvarAlarme:Inclui linha digitada na lista acima|BotãoSalvarArquivo:Salvar arquivo sobre o último lido|"
      "BotãoSalvarComo:Salvar como...escolhendo diretório|BotãoSetaAbaixo:|BotãoSetaAbaixoAlarme:|BotãoSetaAcima:|BotãoSetaAcimaAlarme:|"
      "Campo(0):1|Campo(1):8|Campo(2):3|Campo(3):5|ChechEditável|ComboPorta|MSFlexGrid1|MSFlexGrid2|MemóriaFinal:0|MemóriaInicial:0|"
      "SSTab1|Texto1:8|Texto2:8|TotalLinhasAlarme:0|TotalLinhasVariáveis:0"));
  EXPECT_EQ(window->objectName() + window->windowTitle(), QStringLiteral("FormPrincipalZelkor Editor"));
  EXPECT_EQ(window->size(), QSize(707, 463));  // 10605 x 6945 twips
  for (const auto& [n, rect] : {std::pair{name::BotaoLeCLP, QRect(624, 228, 70, 40)}, {name::BotaoAbrirArquivo, QRect(501, 51, 58, 40)}}) {
    EXPECT_EQ(QRect(Find(n)->mapTo(window.get(), QPoint()), Find(n)->size()), rect) << n.toStdString();
  }
  auto* tabs = Find<QTabWidget>(name::SSTab1);
  EXPECT_EQ(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2), QStringLiteral("VariáveisAlarmesSobre"));
  EXPECT_EQ(ToRgb(tabs->widget(1)->palette().color(QPalette::Window)), (Rgb{182, 200, 203}));
  auto* grid = Find<QTableView>(name::MSFlexGrid1);
  QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
  QString columns;
  for (int c = 0; c < varcol::Count; ++c) {
    columns += grid->model()->headerData(c, Qt::Horizontal).toString() + u':' + QString::number(grid->isColumnHidden(c) ? 0 : grid->columnWidth(c));
  }
  EXPECT_EQ(columns, QStringLiteral("Grupo:37   Texto:67Unidade:47Endereço:53Editável:55:0"));
  EXPECT_TRUE(QFontInfo(window->alarmGrid().font()).fixedPitch());
  EXPECT_EQ(ToQtNameFilter(QStringLiteral("Arquivos (*.zlk) | *.zlk")) + ToDisplayText(QStringLiteral("a\r\nb")),
            QStringLiteral("Arquivos (*.zlk)a\nb"));
}

TEST_F(WindowTest, TheGridsAnswerClicksTheFieldsTakeWhatTheFileCanHoldAndAFailedFieldIsRedWhileItsMessageIsRead) {
  bool redWhileShown = false;
  messages.whileShown = [&](const Message&) {
    redWhileShown = Colour(name::Campo(3), QPalette::Base) == colours::Red && QApplication::focusWidget() == Field(name::Campo(3));
  };
  for (const QString& typed : {QStringLiteral("Ωmega"), QStringLiteral("AÇÃO €"), QStringLiteral("\t")}) {
    QTest::keyClicks(Field(name::Campo(0)), QStringLiteral("0"));
    Field(name::Campo(1))->insert(typed);
  }
  QTest::keyClicks(Field(name::Campo(3)), QStringLiteral("X1"));
  Click(name::BotaoSalvar);
  EXPECT_EQ(messages.Titles(), QStringLiteral("Endereço inválido!"));
  EXPECT_TRUE(redWhileShown);
  EXPECT_EQ(Field(name::Campo(0))->text() + Field(name::Campo(1))->text(), QStringLiteral("0AÇÃO €"));
  for (const char* line : {"0|A|u|D1", "0|B|u|D1", "0|C|u|D1"}) Type(QLatin1String(line), name::BotaoSalvar);
  QTableView& grid = window->variableGrid();
  QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(60, 5));
  EXPECT_FALSE(Find(name::BotaoEditar)->isEnabled());
  QSignalSpy repaints(grid.model(), &QAbstractItemModel::dataChanged);
  ClickRow(2);
  EXPECT_EQ(Colour(name::BotaoRemover, QPalette::Button), colours::Amber);
  EXPECT_FALSE(repaints.isEmpty());
  ClickRow(3, true);
  EXPECT_TRUE(window->state().variableEditing);  // the release after the double-click does not end it
  Click(name::BotaoSetaAcima);
  Click(name::BotaoSetaAcima);
  EXPECT_EQ(grid.model()->index(0, 1).data().toString(), QStringLiteral("C"));
  EXPECT_EQ(ToRgb(grid.model()->index(0, 4).data(Qt::BackgroundRole).value<QColor>()), colours::Amber);
  EXPECT_EQ(QApplication::focusWidget(), Find(name::BotaoSetaAbaixo));
  Find<QTabWidget>(name::SSTab1)->setCurrentIndex(2);
  Type(QStringLiteral("2"), name::BotaoSalvar);
  EXPECT_EQ(ToRgb(grid.model()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>()), colours::Grey);
  EXPECT_EQ(Find<QTabWidget>(name::SSTab1)->currentIndex(), 2);  // no command switches the tab
}

TEST_F(WindowTest, APickOpensItsPortPickingItAgainReopensItAndAFailedPickKeepsItsEntryShown) {
  auto* combo = Find<QComboBox>(name::ComboPorta);
  EXPECT_EQ(combo->count() * 100 + combo->currentIndex(), 1599);
  Pick(0);
  Pick(0);
  EXPECT_EQ(combo->toolTip(), QStringLiteral("/dev/ttyUSB0"));
  combo->setFocus();  // keys and the wheel never change the entry
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_PageDown, Qt::Key_1, Qt::Key_P}) QTest::keyClick(combo, key);
  EXPECT_EQ(combo->currentIndex(), 0);
  port.openResults = {{2, {OpenError::InvalidPort, {}}}, {3, {OpenError::InUse, {}}}};
  for (int index : {1, 2}) {
    Pick(index);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Porta # 0%1").arg(index + 1));
  }
  EXPECT_EQ(messages.Titles(), QStringLiteral("Porta inválida!|Porta em uso!"));
  EXPECT_EQ(port.opens, (QList<int>{1, 1, 2, 3}));
}

TEST_F(WindowTest, DuringATransferTheWindowKeepsWhatIsTypedAndRefusesAPortChangeAndClosing) {
  Pick(0);
  port.peer = {};
  Type(QStringLiteral("||||A"), name::BotaoSalvarAlarme);
  Click(name::BotaoGravaCLP);
  QTest::keyClicks(Field(name::Campo(1)), QStringLiteral("NIVEL"));
  EXPECT_FALSE(window->close());
  messages.whileShown = [&](const Message& m) {
    if (m.title != QStringLiteral("Transmissão em andamento!")) return;
    port.Deliver(testing::AckAnswer());  // the transfer ends behind the open box
    port.Deliver(testing::AckAnswer());
  };
  Pick(1);
  EXPECT_EQ(port.openPort, 1);
  EXPECT_EQ(Find<QComboBox>(name::ComboPorta)->currentIndex(), 0);
  EXPECT_EQ(Field(name::Campo(1))->text(), QStringLiteral("NIVEL"));
  EXPECT_EQ(messages.Titles(), QStringLiteral("Transmissão em andamento!|Transmissão em andamento!|Transmissão Ok!"));
  Click(name::BotaoLeCLP);  // does nothing
  EXPECT_EQ(port.written.size(), 2);
  messages.answers.push_back(Answer::No);
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(port.isOpen());
}

TEST_F(WindowTest, SaveAsNamesTheWindowOpenClearsTheEntryLinesAndClosingWithYesSaves) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Parâmetros.zlk");
  files.answers = {path, path};
  Type(QStringLiteral("||||BOMBA"), name::BotaoSalvarAlarme);
  Click(name::BotaoSalvarComo);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor - Parâmetros.zlk"));
  Click(name::BotaoApagaListaAlarmes);
  Field(name::Texto1)->setText(QStringLiteral("TYPED"));
  Click(name::BotaoAbrirArquivo);  // an empty list asks nothing, changed or not
  EXPECT_EQ(window->alarmGrid().model()->index(0, 0).data().toString(), QStringLiteral("BOMBA"));
  EXPECT_EQ(Field(name::MemoriaInicial)->text() + Field(name::TotalLinhasAlarme)->text() + Field(name::Texto1)->text(),
            QStringLiteral("D44881"));
  Type(QStringLiteral("||||FALHA"), name::BotaoSalvarAlarme);
  messages.answers.push_back(Answer::Yes);
  EXPECT_TRUE(window->close());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("BOMBA               A\r\nFALHA               A\r\n"));
}

}  // namespace
}  // namespace zelkor
