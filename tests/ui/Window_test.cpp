#include "support/FakeSerialPort.h"
#include "support/Golden.h"
#include "support/Printers.h"
#include "support/ScriptedSeams.h"
#include "ui/ControlNames.h"

#include "formats/Csv.h"
#include "formats/Xlsx.h"
#include "link/LinkMonitor.h"
#include "ui/ComparisonDialog.h"
#include "ui/FormPrincipal.h"
#include "ui/GridTableModel.h"
#include "ui/HelpWindow.h"
#include "ui/QtFileDialog.h"
#include "ui/QtMessageService.h"
#include "ui/Translation.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

namespace zelkor {
namespace {

Rgb ToRgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

// The window, shown and active, with scripted message boxes, file dialogs and serial port.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    port.peer = [](const QByteArray&) { return testing::AckAnswer(); };
    window->show();
    // Each page is made when first shown; the tests reach into all of them.
    auto* tabs = Find<QTabWidget>(name::kTabs);
    for (int page = 3; page >= 0; --page) tabs->setCurrentIndex(page);
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <class W = QWidget>
  W* Find(const QString& n) {
    return window->findChild<W*>(n);
  }
  void Click(const QString& button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QLineEdit* Field(const QString& n) { return Find<QLineEdit>(n); }
  Rgb Colour(const QString& n, QPalette::ColorRole role) { return ToRgb(Find(n)->palette().color(role)); }
  void ClickRow(int line, bool twice = false) {
    QTableView& grid = window->VariableGrid();
    const QPoint at = grid.visualRect(grid.model()->index(line - 1, 0)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
  }
  void Type(const QString& line, const QString& button) {
    const QStringList cells = line.split(u'|');
    for (int i = 0; i < cells.size(); ++i) Field(i < 4 ? name::VariableField(i) : name::kAlarmText1)->setText(cells[i]);
    Click(button);
  }
  // A pick with the mouse from the open list, as a technician makes it.
  void Pick(int index) {
    auto* combo = Find<QComboBox>(name::kPortBox);
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
  // Names, captions, tool-tips, length limits and what a screen reader says are the system's own; as is what
  // starts enabled.
  QStringList controls;
  for (auto* w : window->findChildren<QWidget*>()) {
    const QString n = w->objectName();
    if (n.isEmpty() || n.startsWith(QStringLiteral("qt_")) || n.startsWith(QStringLiteral("Scroll"))) continue;
    auto* button = qobject_cast<QPushButton*>(w);
    auto* field = qobject_cast<QLineEdit*>(w);
    const QString length = field ? QString::number(field->maxLength() % 32767) : QString();
    controls << n + u'|' + (button ? button->text() : QString()) + u'|' + w->toolTip() + u'|' + w->accessibleName() +
                    u'|' + length + (w->isEnabled() ? QString() : QStringLiteral("|off"));
  }
  controls.sort();
  for (QAction* menu : window->findChild<QMenuBar*>()->actions())  // then the menu bar's entries in their order
    for (QAction* entry : menu->menu()->actions())
      controls << menu->text() + u'>' + entry->text() + u'|' +
                      QKeySequence::listToString(entry->shortcuts(), QKeySequence::PortableText) +
                      (entry->isEnabled() ? QString() : QStringLiteral("|off"));
  testing::ExpectGolden(QStringLiteral("ui/data/controls.txt"), controls.join(u'\n').toUtf8() + '\n');
  EXPECT_EQ(window->objectName() + window->windowTitle(), QStringLiteral("FormPrincipalZelkor Editor"));
  EXPECT_EQ(window->size(), QSize(707, 463).expandedTo(window->minimumSizeHint()));  // wider where the font needs
  auto* tabs = Find<QTabWidget>(name::kTabs);
  EXPECT_EQ(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2) + tabs->tabText(3),
            QStringLiteral("VariáveisAlarmesSobreMonitor"));
  EXPECT_EQ(ToRgb(tabs->widget(1)->palette().color(QPalette::Window)), (Rgb{182, 200, 203}));
  EXPECT_TRUE(tabs->widget(1)->autoFillBackground());
  auto* grid = Find<QTableView>(name::kVariableGrid);
  QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
  QString columns;  // each shown column holds its header whole
  for (int c = 0; c < varcol::Count; ++c) {
    const QString header = grid->model()->headerData(c, Qt::Horizontal).toString();
    const bool whole = grid->columnWidth(c) > grid->horizontalHeader()->fontMetrics().horizontalAdvance(header);
    columns += header + u':' + QString::number(grid->isColumnHidden(c) ? 0 : int(whole));
  }
  EXPECT_EQ(columns, QStringLiteral("Grupo:1   Texto:1Unidade:1Endereço:1Editável:1"));
  EXPECT_TRUE(QFontInfo(window->AlarmGrid().font()).fixedPitch());
  EXPECT_EQ(ToQtNameFilter(QStringLiteral("Arquivos (*.zlk) | *.zlk")) + ToDisplayText(QStringLiteral("a\r\nb")),
            QStringLiteral("Arquivos (*.zlk)a\nb"));
}

// Where the controls sit, told by their neighbours; every caption whole, at the first size and when larger.
TEST_F(WindowTest, TheWindowKeepsItsArrangementAndALargerOneShowsMoreRows) {
  const auto box = [&](const QString& n) { return QRect(Find(n)->mapTo(window.get(), QPoint()), Find(n)->size()); };
  QTableView& grid = window->VariableGrid();
  const auto rowsShown = [&] { return grid.viewport()->height() / grid.verticalHeader()->defaultSectionSize(); };
  const auto check = [&] {
    // The second beside the first, on its right, or under it.
    for (const auto& [first, second, beside] : {std::tuple{name::kVariableGrid, name::kVariableUp, true},
                                                {name::kVariableUp, QStringLiteral("FrameArquivos"), true},
                                                {name::kCompareWithPlc, name::kReadFromPlc, true},
                                                {name::kPortBox, name::kFindPlc, true},
                                                {name::kVariableGrid, name::kRemoveVariable, false},
                                                {name::kRemoveVariable, name::VariableField(0), false},
                                                {QStringLiteral("FrameArquivos"), name::kReadFromPlc, false},
                                                {name::kReadFromPlc, QStringLiteral("FrameComunicacao"), false}}) {
      const QRect a = box(first), b = box(second);
      EXPECT_LE(beside ? a.right() : a.bottom(), beside ? b.left() : b.top()) << second.toStdString();
    }
    for (auto* label : window->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->text().isEmpty()) continue;
      EXPECT_GE(label->width(), label->wordWrap() ? 0 : label->sizeHint().width()) << label->text().toStdString();
      EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
    }
    for (auto* button : window->findChildren<QPushButton*>())  // an icon button: a square around its picture
      EXPECT_TRUE(!button->isVisible() || button->width() >= (button->text().isEmpty() ? button->iconSize().width() + 8
                                                                                       : button->sizeHint().width()))
          << button->objectName().toStdString();
  };
  check();
  const int rows = rowsShown();
  const int frameWidth = Find(QStringLiteral("FrameArquivos"))->width();
  window->resize(1280, 900);
  EXPECT_EQ(window->size(), QSize(1280, 900));
  check();
  EXPECT_GT(rowsShown(), rows);
  EXPECT_EQ(Find(QStringLiteral("FrameArquivos"))->width(), frameWidth);
}

TEST_F(WindowTest, TheGridsAnswerClicksTheFieldsTakeWhatTheFileCanHoldAndAFailedFieldIsRedWhileItsMessageIsRead) {
  bool redWhileShown = false;
  messages.whileShown = [&](const Message&) {
    redWhileShown = Colour(name::VariableField(3), QPalette::Base) == colours::Red &&
                    QApplication::focusWidget() == Field(name::VariableField(3));
  };
  for (const QString& typed : {QStringLiteral("Ωmega"), QStringLiteral("AÇÃO €"), QStringLiteral("\x01")}) {
    QTest::keyClicks(Field(name::VariableField(0)), QStringLiteral("0"));
    Field(name::VariableField(1))->insert(typed);
  }
  QTest::keyClicks(Field(name::VariableField(3)), QStringLiteral("X1"));
  Click(name::kIncludeVariable);
  EXPECT_TRUE(redWhileShown);
  EXPECT_EQ(Field(name::VariableField(0))->text() + Field(name::VariableField(1))->text(), QStringLiteral("0AÇÃO €"));
  for (const char* line : {"0|A|u|D1", "0|B|u|D1", "0|C|u|D1"}) Type(QLatin1String(line), name::kIncludeVariable);
  QTableView& grid = window->VariableGrid();
  QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(60, 5));
  EXPECT_FALSE(Find(name::kEditVariable)->isEnabled());
  QSignalSpy repaints(grid.model(), &QAbstractItemModel::dataChanged);
  ClickRow(2);
  EXPECT_EQ(Colour(name::kRemoveVariable, QPalette::Button), colours::Amber);
  EXPECT_FALSE(repaints.isEmpty());
  ClickRow(3, true);
  EXPECT_TRUE(window->State().variablePage.editing);  // the release after the double-click does not end it
  Click(name::kVariableUp);
  Click(name::kVariableUp);
  EXPECT_EQ(grid.model()->index(0, 1).data().toString(), QStringLiteral("C"));
  EXPECT_EQ(QApplication::focusWidget(), Find(name::kVariableDown));
  Find<QTabWidget>(name::kTabs)->setCurrentIndex(2);
  Type(QStringLiteral("2"), name::kIncludeVariable);
  EXPECT_EQ(ToRgb(grid.model()->headerData(0, Qt::Horizontal, Qt::BackgroundRole).value<QColor>()), colours::Grey);
  EXPECT_EQ(Find<QTabWidget>(name::kTabs)->currentIndex(), 2);  // no command switches the tab
}

TEST_F(WindowTest, APickOpensItsPortPickingItAgainReopensItAndAFailedPickKeepsItsEntryShown) {
  auto* combo = Find<QComboBox>(name::kPortBox);
  EXPECT_EQ(combo->count() * 100 + combo->currentIndex(), 1599);
  Pick(0);
  Pick(0);  // Compara CLP comes on with the port
  EXPECT_EQ(combo->toolTip() + QString::number(Find(name::kCompareWithPlc)->isEnabled()), u"/dev/ttyUSB01");
  combo->setFocus();  // keys and the wheel never change the entry
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_PageDown, Qt::Key_1, Qt::Key_P})
    QTest::keyClick(combo, key);
  EXPECT_EQ(combo->currentIndex(), 0);
  port.openResults = {{2, {OpenError::InUse, {}}}};
  Pick(1);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Porta # 02"));
  EXPECT_EQ(port.opens, (QList<int>{1, 1, 2}));
}

TEST_F(WindowTest, DuringATransferTheWindowKeepsWhatIsTypedAndRefusesAPortChangeAndClosing) {
  Pick(0);
  port.peer = {};
  Click(name::kFindPlc);  // the same button gives the search up, and no box says so
  EXPECT_EQ(Find(name::kFindPlc)->accessibleName() + Find<QLabel>(QStringLiteral("TextoProgressoCLP"))->text(),
            QStringLiteral("Cancelar buscaProcurando: Porta # 01"));
  Click(name::kFindPlc);
  Type(QStringLiteral("||||A"), name::kIncludeAlarm);
  Click(name::kWriteToPlc);
  EXPECT_EQ(Find<QLabel>(QStringLiteral("TextoProgressoCLP"))->text(), QStringLiteral("Gravando: quadro 1 de 2"));
  EXPECT_TRUE(Find(QStringLiteral("ProgressoCLP"))->isVisible() && !Find(name::kFindPlc)->isEnabled());
  QTest::keyClicks(Field(name::VariableField(1)), QStringLiteral("NIVEL"));
  EXPECT_FALSE(window->close());
  messages.whileShown = [&](const Message& m) {
    if (m.title != MessageTitle::TransmissionRunning) return;
    port.Deliver(testing::AckAnswer());  // the transfer ends behind the open box
    port.Deliver(testing::AckAnswer());
  };
  Pick(1);
  EXPECT_EQ(Find<QComboBox>(name::kPortBox)->currentIndex(), 0);
  EXPECT_EQ(Field(name::VariableField(1))->text(), QStringLiteral("NIVEL"));
  EXPECT_EQ(messages.Titles(), QStringLiteral("Transmissão em andamento!|Transmissão em andamento!|Transmissão Ok!"));
  EXPECT_FALSE(Find(QStringLiteral("ProgressoCLP"))->isVisible());
  auto* monitor = Find<QPlainTextEdit>(QStringLiteral("MonitorCLP"));
  EXPECT_FALSE(monitor->toPlainText().contains(QStringLiteral("transferência")));  // not while the page is hidden
  Find<QTabWidget>(name::kTabs)->setCurrentIndex(3);
  EXPECT_TRUE(QTest::qWaitFor([&] {  // the monitor's lines come in a batch
    return monitor->toPlainText().endsWith(QStringLiteral("transferência concluída"));
  }));
  Click(name::kClearMonitor);
  EXPECT_TRUE(monitor->toPlainText().isEmpty() && window->Monitor().Lines().empty());
  // A read locks what would change the lists, and closing gives it up.
  messages.answers = {Answer::No, Answer::No};
  Click(name::kReadFromPlc);
  EXPECT_FALSE(Find(name::kClearAlarmList)->isEnabled());
  EXPECT_EQ(Find(name::kOpenFile)->toolTip(), QStringLiteral("Aguarde o fim da leitura do CLP"));
  EXPECT_TRUE(window->close());
  EXPECT_EQ(Find(name::kOpenFile)->toolTip() + window->AlarmGrid().model()->index(0, 0).data().toString().trimmed(),
            QStringLiteral("Abrir arquivoA"));
}

TEST_F(WindowTest, SaveAsNamesTheWindowOpenClearsTheEntryLinesAndClosingWithYesSaves) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/Parâmetros.zlk");
  const QString pdf = dir.path() + QStringLiteral("/folha.pdf");
  files.answers = {path, pdf, path};
  Type(QStringLiteral("||||BOMBA"), name::kIncludeAlarm);
  Click(name::kSaveAs);
  Type(QStringLiteral("||||ÓLEO"), name::kIncludeAlarm);
  Click(name::kSaveAs);  // a PDF is a copy: the window still names the file and still has changes to save
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor - Parâmetros.zlk"));
  EXPECT_EQ(window->State().source.SavePath() + QString::number(Find(name::kSaveFile)->isEnabled()), path + u'1');
  QFile sheet(pdf);
  EXPECT_TRUE(sheet.open(QIODevice::ReadOnly) && sheet.read(5) == "%PDF-");
  Click(name::kClearAlarmList);
  Field(name::kAlarmText1)->setText(QStringLiteral("TYPED"));
  Click(name::kOpenFile);  // an empty list asks nothing, changed or not
  EXPECT_EQ(window->AlarmGrid().model()->index(0, 0).data().toString().trimmed(), QStringLiteral("BOMBA"));
  EXPECT_EQ(Field(name::kFirstWord)->text() + Field(name::kAlarmCount)->text() + Field(name::kAlarmText1)->text(),
            QStringLiteral("D44881"));
  Type(QStringLiteral("||||FALHA"), name::kIncludeAlarm);
  messages.answers.push_back(Answer::Yes);
  EXPECT_TRUE(window->close());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("BOMBA               A\r\nFALHA               A\r\n"));
}

TEST_F(WindowTest, AWorkbookSavedAgainByASpreadsheetProgramImportsAsTheSameListsWhatItTypedAsDatesRefused) {
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice Calc (soffice) is not installed";
  QTemporaryDir dir;
  const auto calc = [&](const QString& file, const QStringList& options) {
    QProcess process;
    process.start(soffice,
                  QStringList{QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("p")),
                              QStringLiteral("--headless")} +
                      options +
                      QStringList{QStringLiteral("--convert-to"), QStringLiteral("xlsx"), QStringLiteral("--outdir"),
                                  dir.filePath(QStringLiteral("calc")), dir.filePath(file)});
    EXPECT_TRUE(process.waitForFinished(120000));
    QFile saved(dir.filePath(QStringLiteral("calc/") + QFileInfo(file).completeBaseName() + QStringLiteral(".xlsx")));
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
  };
  for (const char* line : {"0|007|1/2|D1", "0|=SOMA|+24|D2", "1|+24V|%|C1"})
    Type(QLatin1String(line), name::kIncludeVariable);
  for (const char* line : {"||||=SOMA|+24V", "||||1/2|007"}) Type(QLatin1String(line), name::kIncludeAlarm);
  const QByteArray lists = FormatCsv(window->State().lists);
  files.answers = {dir.filePath(QStringLiteral("listas.xlsx")), dir.filePath(QStringLiteral("calc/listas.xlsx"))};
  Click(name::kSaveAs);
  ASSERT_FALSE(calc(QStringLiteral("listas.xlsx"), {}).isEmpty());
  messages.answers = {Answer::No};
  Click(name::kClearVariableList);
  Click(name::kOpenFile);
  EXPECT_EQ(FormatCsv(window->State().lists), lists);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor - listas.xlsx (importada)"));
  // What a person types into Calc: numbers where they fit, a date where a text was meant.
  QFile typed(dir.filePath(QStringLiteral("typed.csv")));
  ASSERT_TRUE(typed.open(QIODevice::WriteOnly));
  typed.write("Tipo;Grupo;Texto;Unidade;Endereço\nV;0;1234;10;D100\nV;1;1/2;;D1\n");
  typed.close();
  const SpreadsheetImport import =
      ParseXlsx(calc(QStringLiteral("typed.csv"), {QStringLiteral("--infilter=CSV:59,34,76,1")}));
  EXPECT_EQ(import.failures,
            (std::vector<SpreadsheetFailure>{{3, QStringLiteral("Texto da linha 3 não é texto na planilha"), true}}));
}

TEST_F(WindowTest, EveryControlAPersonCanReachHasANameOfItsOwnAndQtSpeaksPortuguese) {
  Type(QStringLiteral("0|A|u|D1"), name::kIncludeVariable);
  Type(QStringLiteral("||||A"), name::kIncludeAlarm);
  for (int page : {0, 1}) {
    Find<QTabWidget>(name::kTabs)->setCurrentIndex(page);
    QStringList names;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible() || (w->focusPolicy() == Qt::NoFocus && !qobject_cast<QLineEdit*>(w))) continue;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
      EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
      EXPECT_FALSE(names.contains(a->text(QAccessible::Name))) << a->text(QAccessible::Name).toStdString();
      names << a->text(QAccessible::Name);
      if (QAccessibleTableInterface* table = a->tableInterface()) {  // its visible columns only, and named lines
        EXPECT_EQ(table->columnCount(), 5 - 4 * page);
        EXPECT_EQ(a->child((table->columnCount() + 1) * table->rowCount())->text(QAccessible::Name),
                  QStringLiteral("Linha 1"));
      }
    }
    EXPECT_EQ(names.size(), 32 - 3 * page);
  }
  ASSERT_TRUE(InstallPortugueseTranslation(*QCoreApplication::instance()));
  QStringList buttons;
  const auto box = BuildMessageBox({{}, {}, MessageButtons::YesNoCancel}, nullptr);
  for (auto* b : box->buttons()) buttons << b->text().remove(u'&');
  buttons.sort();
  EXPECT_EQ(buttons.join(u','), QStringLiteral("Cancelar,Não,Sim"));
  const auto warning = BuildMessageBox({{}, {}, MessageButtons::WriteAnywayCancel}, nullptr);  // Cancelar by default
  EXPECT_EQ(warning->button(QMessageBox::Yes)->text() + u'|' + warning->defaultButton()->text() + u'|' +
                warning->escapeButton()->text(),
            QStringLiteral("Gravar assim mesmo|Cancelar|Cancelar"));
  const Message failure{{}, MessageTitle::PlcNotResponding, {}, {}, MessageHelp::PlcNotResponding};
  EXPECT_EQ(BuildMessageBox(failure, nullptr)->escapeButton()->text(), QStringLiteral("OK"));
  // "Ajuda" answers the box and takes the technician to what it leads to.
  QtMessageService service;
  MessageHelp opened = MessageHelp::None;
  service.SetHelp([&opened](MessageHelp help) { opened = help; });
  QTimer::singleShot(
      0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("BotãoAjuda"))->click(); });
  EXPECT_EQ(service.Show(failure), Answer::Ok);
  EXPECT_EQ(opened, MessageHelp::PlcNotResponding);
}

TEST_F(WindowTest, TheComparisonShowsItsRowsToTheKeyboardAndToAScreenReaderAndEscapeOrEnterKeepsTheLists) {
  PlcComparison comparison;
  comparison.variables = {1, 1, 0, 0};
  comparison.rows = {{QStringLiteral("Variáveis"), 2, QStringLiteral("0 | «A» | u | D1 | Não"),
                      QStringLiteral("0 | «B» | u | D1 | Não")}};
  const auto dialog =
      BuildComparisonDialog(QStringLiteral("Comparação com o CLP (Porta # 01)"), comparison, window.get());
  auto* table = dialog->findChild<QTableWidget*>();
  QStringList seen{dialog->windowTitle(), table->accessibleName()};
  for (int c = 0; c < 4; ++c) seen << table->horizontalHeaderItem(c)->text() + u'=' + table->item(0, c)->text();
  for (auto* b : dialog->findChildren<QPushButton*>()) seen << b->text();
  EXPECT_EQ(seen.join(u'|'),
            QStringLiteral("Comparação com o CLP (Porta # 01)|Linhas que diferem entre o editor e o CLP|"
                           "Lista=Variáveis|Linha=2|No editor=0 | «A» | u | D1 | Não|"
                           "No CLP=0 | «B» | u | D1 | Não|Usar o CLP|Fechar|Ajuda"));
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {  // both mean Fechar
    dialog->show();
    QTest::keyClick(dialog->focusWidget(), key);
    EXPECT_EQ(dialog->isVisible() ? -1 : dialog->result(), QDialog::Rejected);
  }
  dialog->show();  // the manual opens in the dialog's own window: the modal dialog would block any other
  QApplication::setActiveWindow(dialog.get());
  QTest::keyClick(dialog->focusWidget(), Qt::Key_F1);
  const auto* help = dialog->findChild<HelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->Shown().fileName() + u'#' + help->Shown().fragment(),
            QStringLiteral("ler-comparar-verificar.html#compara-clp"));
}

// The manual cannot fall behind the program: every title a box can have is a row of its table of messages, and
// every "Ajuda" leads to a section that is there.
TEST(Manual, EveryMessageTitleHasARowInTheTableOfMessagesAndEveryAjudaItsSection) {
  QFile file(QStringLiteral(":/manual/mensagens.html"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(file.readAll());
  QStringList missing;
  for (int t = 0; t < kMessageTitles; ++t) {
    const QString title = TitleText(static_cast<MessageTitle>(t)).toHtmlEscaped();
    if (!page.contains(QStringLiteral("<tr>\n<td>%1</td>").arg(title))) missing << title;
  }
  for (int h = 1; h < kMessageHelps; ++h) {
    const QString anchor = HelpAnchor(static_cast<MessageHelp>(h));
    if (!page.contains(QStringLiteral("id=\"%1\"").arg(anchor))) missing << u'#' + anchor;
  }
  EXPECT_EQ(missing.join(u','), QString());
}

TEST_F(WindowTest, F1OpensTheManualAtThePageInViewAndItsSearchGoesOnThroughTheChapters) {
  QStringList shown;
  for (int page = 0; page < 4; ++page) {
    Find<QTabWidget>(name::kTabs)->setCurrentIndex(page);
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_F1);
    const auto* help = window->findChild<HelpWindow*>();
    shown << help->Shown().fileName() + u'=' + help->findChild<QTextBrowser*>()->documentTitle();
  }
  EXPECT_EQ(shown.join(u'|'),
            QStringLiteral("variaveis.html=A lista de Variáveis|alarmes.html=A lista de Alarmes|"
                           "index.html=Manual do Zelkor Editor|monitor.html=O monitor da comunicação"));
  HelpWindow& help = *window->findChild<HelpWindow*>();
  EXPECT_TRUE(help.Find(QStringLiteral("dialout")));  // not in the monitor's chapter: the ports'
  EXPECT_EQ(help.Shown().fileName(), QStringLiteral("portas.html"));
  EXPECT_FALSE(help.Find(QStringLiteral("xyzzy")));
  help.Open(QStringLiteral("mensagens.html"));
  help.Open(QStringLiteral("mensagens.html#marbeto"));  // the same chapter, further down
  EXPECT_GT(help.findChild<QTextBrowser*>()->verticalScrollBar()->value(), 0);
}

TEST_F(WindowTest, UndoKeysActOnAFieldsOwnTypingFirstAndRecentFilesAndDropsOpenAsAbrirArquivo) {
  Type(QStringLiteral("0|A|u|D1"), name::kIncludeVariable);
  EXPECT_EQ(Find(name::kUndo)->toolTip(), QStringLiteral("Desfazer: incluir a linha 1 de Variáveis"));
  QLineEdit* texto = Field(name::VariableField(1));
  texto->setFocus();
  QTest::keyClicks(texto, QStringLiteral("XY"));
  // The field's own typing first, then the lists; either redo key does either. + marks Refazer enabled.
  QString seen;
  const QKeyCombination z = Qt::CTRL | Qt::Key_Z, shiftZ = Qt::CTRL | Qt::SHIFT | Qt::Key_Z, y = Qt::CTRL | Qt::Key_Y;
  for (const QKeyCombination keys : {z, z, shiftZ, y, z, z, y, shiftZ}) {
    QTest::keyClick(texto, keys.key(), keys.keyboardModifiers());
    seen += texto->text() + QString::number(window->State().lists.variables.size()) +
            (Find(name::kRedo)->isEnabled() ? u'+' : u' ');
  }
  EXPECT_EQ(seen, QStringLiteral("A1 A0+AXY0+AXY1 A1 A0+AXY0+AXY1 "));
  // What was opened comes back as a recent file on the next start; one that is gone is said so and dropped.
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/a.zlk");
  QFile(path).open(QIODevice::WriteOnly);
  messages.answers.push_back(Answer::No);
  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &dropped, Qt::LeftButton, {});
  QApplication::sendEvent(window.get(), &enter);
  QApplication::sendEvent(window.get(), &drop);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor - a.zlk"));
  window = std::make_unique<FormPrincipal>(Platform{messages, files, port, deadline});
  QMenu* recent = Find<QToolButton>(name::kRecentFiles)->menu();
  Q_EMIT recent->aboutToShow();
  ASSERT_FALSE(recent->actions().isEmpty());  // newest first
  EXPECT_EQ(recent->actions()[0]->text() + recent->actions()[0]->toolTip(), QStringLiteral("a.zlk") + path);
  recent->actions()[0]->trigger();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor - a.zlk"));
  QFile::remove(path);
  recent->actions()[0]->trigger();
  EXPECT_EQ(messages.Titles().section(u'|', -1), QStringLiteral("Arquivo não encontrado!"));
  EXPECT_FALSE(window->State().recentFiles.contains(path));
}

TEST_F(WindowTest, ClosingWithSimAndTheSaveDialogCancelledKeepsTheWindowAndItsLists) {
  Type(QStringLiteral("||||BOMBA"), name::kIncludeAlarm);
  messages.answers.push_back(Answer::Yes);
  files.answers = {QString()};
  EXPECT_FALSE(window->close());
  EXPECT_EQ(messages.Titles() + window->windowTitle() + window->State().source.SavePath() +
                window->AlarmGrid().model()->index(0, 0).data().toString().trimmed(),
            QStringLiteral("Salvar dados atuais?Zelkor EditorBOMBA"));
  EXPECT_TRUE(window->isVisible() && window->State().history.CanUndo() && !Find(name::kSaveFile)->isEnabled());
}

TEST_F(WindowTest, EveryCommandRunsFromTheKeyboard) {
  for (const char* line : {"0|A|u|D1", "0|B|u|D1"}) Type(QLatin1String(line), name::kIncludeVariable);
  Field(name::VariableField(0))->setFocus();
  QStringList order;  // Tab goes through the entry line left to right, then its buttons
  for (int i = 0; i < 7; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
    order << QApplication::focusWidget()->accessibleName();
  EXPECT_EQ(order.join(u','), QStringLiteral("Grupo,Texto,Unidade,Endereço,Editável,Incluir linha,Limpar campos"));
  QTableView& grid = window->VariableGrid();
  grid.setFocus();
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(&grid, key);
  EXPECT_TRUE(window->State().variablePage.editing);  // Down picks a line as a click does, Enter edits it
  EXPECT_EQ(Field(name::VariableField(1))->text(), QStringLiteral("B"));
  QTest::keyClick(Find(name::kRemoveVariable), Qt::Key_Space);
  EXPECT_EQ(grid.model()->rowCount(), 1);
  auto* combo = Find<QComboBox>(name::kPortBox);
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_F4);  // opens the list, where the arrows and Enter pick
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  EXPECT_EQ(port.opens, QList<int>{2});
  EXPECT_GE(combo->view()->width(), combo->view()->sizeHintForColumn(0));
  QTest::keyClick(Find(name::kVerifyAfterWrite), Qt::Key_Space);  // ticked, the write reads back what it wrote
  QTest::keyClick(Find(name::kWriteToPlc), Qt::Key_Space);
  EXPECT_EQ((port.Settle(), port.written.back().at(3)), 'r');
}

TEST_F(WindowTest, AltOpensAMenuAndEveryMenuEntryRunsItsCommandAlsoFromItsKeys) {
  QTest::keyClick(window.get(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(QApplication::activePopupWidget(), Find(QStringLiteral("MenuArquivo")));
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  Pick(0);
  Type(QStringLiteral("0|A|u|D1"), name::kIncludeVariable);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("a.zlk"));
  files.answers = {QString(), path};
  const bool verifying = Find<QCheckBox>(name::kVerifyAfterWrite)->isChecked();  // as the last run left it
  QString dialog;
  qsizetype sent = 0;
  const auto transferred = [&] { return (port.Settle(), port.written.size() > sent); };
  const std::pair<const char16_t*, std::function<bool()>> entries[] = {
      {u"&Abrir arquivo…", [&] { return files.requests.size() == 1; }},
      {u"Salvar &como…", [&] { return QFile::remove(path); }},
      {u"&Salvar", [&] { return QFile::exists(path); }},
      {u"&Imprimir…", [&] { return dialog == QStringLiteral("Imprimir as listas"); }},
      {u"&Desfazer", [&] { return window->State().lists.variables.empty(); }},
      {u"&Refazer", [&] { return window->State().lists.variables.size() == 1; }},
      {u"&Verificar após gravar", [&] { return Find<QCheckBox>(name::kVerifyAfterWrite)->isChecked() != verifying; }},
      {u"&Grava CLP", transferred},
      {u"&Lê CLP", transferred},
      {u"C&ompara CLP", transferred},
      {u"Locali&zar CLP", transferred},
      {u"Verificar l&istas", [&] { return messages.Titles().endsWith(QStringLiteral("Verificar listas")); }},
      {u"&Sobre o Zelkor Editor", [&] { return Find<QTabWidget>(name::kTabs)->currentIndex() == 2; }},
      {u"Sai&r", [&] { return !window->isVisible(); }},
  };
  for (const auto& [text, ran] : entries) {
    QAction* entry = nullptr;
    for (QMenu* menu : window->findChildren<QMenu*>())
      for (QAction* a : menu->actions()) entry = a->text() == QString::fromUtf16(text) ? a : entry;
    ASSERT_TRUE(entry) << QString::fromUtf16(text).toStdString();
    sent = port.written.size();
    QApplication::setActiveWindow(window.get());  // again, after a dialog
    QTimer::singleShot(0, [&] {                   // a modal dialog: its title, then closed
      if (QWidget* modal = QApplication::activeModalWidget()) dialog = modal->windowTitle(), modal->close();
    });
    entry->shortcut().isEmpty() ? entry->trigger() : QTest::keySequence(window.get(), entry->shortcut());
    EXPECT_TRUE(ran()) << QString::fromUtf16(text).toStdString();
  }
}

}  // namespace
}  // namespace zelkor
