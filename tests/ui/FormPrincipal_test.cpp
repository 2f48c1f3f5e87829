#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "support/Printers.h"
#include "ui/FormPrincipal.h"
#include "ui/WindowTest.h"
#include "ui/QtMessageService.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <memory>

namespace zelkor {
namespace {

Rgb ToRgb(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

class FormPrincipalTest : public testing::WindowTest {
 protected:
  QRect windowRect(QWidget* w) { return {w->mapTo(window.get(), QPoint(0, 0)), w->size()}; }
};

TEST_F(FormPrincipalTest, EveryControlIsFoundByItsExactNameOnce) {
  QStringList names = name::AllButtons() + name::AllFields();
  names << name::FormPrincipal << name::SSTab1 << name::MSFlexGrid1 << name::MSFlexGrid2 << name::ChechEditavel
        << name::ComboPorta;
  for (const QString& n : names) {
    if (n == name::FormPrincipal) {
      EXPECT_EQ(window->objectName(), n);
      continue;
    }
    EXPECT_EQ(window->findChildren<QWidget*>(n).size(), 1) << n.toStdString();
  }
  EXPECT_EQ(window->findChildren<QWidget*>(QStringLiteral("Campo(0)")).size(), 1);
}

TEST_F(FormPrincipalTest, OpensTitledWithTheClientAreaAndTheVariablesTab) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor"));
  EXPECT_EQ(window->size(), QSize(707, 463));  // 10605 x 6945 twips
  auto* tabs = Find<QTabWidget>(name::SSTab1);
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Variáveis"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Alarmes"));
  EXPECT_EQ(tabs->tabText(2), QStringLiteral("Sobre"));
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(windowRect(tabs), QRect(6, 9, 478, 448));
  EXPECT_EQ(windowRect(Find(name::BotaoLeCLP)), QRect(624, 228, 70, 40));
  EXPECT_EQ(windowRect(Find(name::ComboPorta)).topLeft(), QPoint(561, 339));
  EXPECT_EQ(windowRect(Find(name::BotaoGravaCLP)), QRect(558, 399, 70, 40));
  EXPECT_EQ(windowRect(Find(name::BotaoAbrirArquivo)), QRect(501, 51, 58, 40));
  EXPECT_EQ(Find(name::MSFlexGrid1)->size(), QSize(265, 310));
}

TEST_F(FormPrincipalTest, ThePortListHoldsSixteenEntriesAndNoneIsSelected) {
  auto* combo = Find<QComboBox>(name::ComboPorta);
  ASSERT_EQ(combo->count(), 16);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("Porta # 01"));
  EXPECT_EQ(combo->itemText(15), QStringLiteral("Porta # 16"));
  EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(FormPrincipalTest, ButtonsStartEnabledOrDisabledAsTheirEnablersRequire) {
  const QStringList disabled{name::BotaoSalvarArquivo, name::BotaoGravaCLP,        name::BotaoLeCLP,
                             name::BotaoEditar,        name::BotaoRemover,         name::BotaoSetaAcima,
                             name::BotaoSetaAbaixo,    name::BotaoEditarAlarme,    name::BotaoRemoverAlarme,
                             name::BotaoSetaAcimaAlarme, name::BotaoSetaAbaixoAlarme};
  for (const QString& n : name::AllButtons()) {
    EXPECT_EQ(Find(n)->isEnabled(), !disabled.contains(n)) << n.toStdString();
  }
  EXPECT_EQ(ToRgb(Find(name::BotaoEditar)->palette().color(QPalette::Button)), colours::Grey);
}

TEST_F(FormPrincipalTest, CaptionsAndToolTipsAreTheSystemsOwn) {
  EXPECT_EQ(Find<QPushButton>(name::BotaoLeCLP)->text(), QStringLiteral("Lê CLP"));
  EXPECT_EQ(Find<QPushButton>(name::BotaoRemover)->text(), QStringLiteral("Remover"));
  EXPECT_EQ(Find<QPushButton>(name::BotaoEditarAlarme)->text(), QStringLiteral("Editar"));
  const std::pair<QString, const char16_t*> tips[] = {
      {name::BotaoApagaListaVariaveis, u"Apaga a lista de Variáveis ao lado"},
      {name::BotaoApagaListaAlarmes, u"Apaga a lista de Alarmes ao lado"},
      {name::BotaoLimpar, u"Apaga campos de digitação ao lado"},
      {name::BotaoSalvar, u"Inclui linha digitada na lista acima"},
      {name::BotaoSalvarAlarme, u"Inclui linha digitada na lista acima"},
      {name::BotaoAbrirArquivo, u"Abrir arquivo"},
      {name::BotaoSalvarArquivo, u"Salvar arquivo sobre o último lido"},
      {name::BotaoSalvarComo, u"Salvar como...escolhendo diretório"},
      {name::BotaoGravaCLP, u"Grava conteúdo das listas correntes no CLP"},
  };
  for (const auto& [n, tip] : tips) EXPECT_EQ(Find(n)->toolTip(), QString::fromUtf16(tip)) << n.toStdString();

  QStringList labels;
  for (auto* label : window->findChildren<QLabel*>()) labels << label->text();
  for (const char16_t* text : {u"Grupo", u"Texto", u"Unidade", u"Endereço", u"Editável", u"Texto 1", u"Texto 2",
                               u"Versão 1.0.2", u"Memória reservada", u"De", u"até", u"Linhas de Variáveis",
                               u"Linhas de Alarmes", u"Selecione a porta de comunicação com o CLP", u"Grava CLP"}) {
    EXPECT_TRUE(labels.contains(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
  }
  QStringList frames;
  for (auto* frame : window->findChildren<QGroupBox*>()) frames << frame->title();
  EXPECT_TRUE(frames.contains(QStringLiteral("  Lista de Variáveis e Alarmes")));
  EXPECT_TRUE(frames.contains(QStringLiteral("      Comunicação com o CLP")));
}

TEST_F(FormPrincipalTest, EntryFieldsCannotHoldMoreThanTheirLimits) {
  const std::pair<QString, int> limits[] = {{name::Campo(0), 1}, {name::Campo(1), 8}, {name::Campo(2), 3},
                                            {name::Campo(3), 5}, {name::Texto1, 8},   {name::Texto2, 8}};
  for (const auto& [n, limit] : limits) EXPECT_EQ(Find<QLineEdit>(n)->maxLength(), limit) << n.toStdString();
}

TEST_F(FormPrincipalTest, CountDisplaysShowZeroOnWhite) {
  for (const QString& n : {name::TotalLinhasVariaveis, name::TotalLinhasAlarme}) {
    auto* display = Find<QLineEdit>(n);
    EXPECT_EQ(display->text(), QStringLiteral("0"));
    EXPECT_TRUE(display->isReadOnly());
    EXPECT_EQ(ToRgb(display->palette().color(QPalette::Base)), colours::White);
  }
}

TEST_F(FormPrincipalTest, TheFourBackgroundAreasArePainted) {
  auto* tabs = Find<QTabWidget>(name::SSTab1);
  for (QWidget* area : {tabs->widget(0), tabs->widget(1), static_cast<QWidget*>(Find(QStringLiteral("FrameArquivos"))),
                        static_cast<QWidget*>(Find(QStringLiteral("FrameComunicacao")))}) {
    EXPECT_TRUE(area->autoFillBackground());
    EXPECT_EQ(ToRgb(area->palette().color(QPalette::Window)), (Rgb{182, 200, 203}));
  }
}

TEST_F(FormPrincipalTest, GridsShowTheHeaderRowOnlyAndFollowTheirLists) {
  auto* view1 = Find<QTableView>(name::MSFlexGrid1);
  auto* model1 = view1->model();
  QAbstractItemModelTester tester(model1, QAbstractItemModelTester::FailureReportingMode::Warning);
  EXPECT_EQ(model1->rowCount(), 0);
  const char16_t* headers[] = {u"Grupo", u"   Texto", u"Unidade", u"Endereço", u"Editável"};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(model1->headerData(c, Qt::Horizontal).toString(), QString::fromUtf16(headers[c]));
    EXPECT_FALSE(view1->isColumnHidden(c));
  }
  EXPECT_TRUE(view1->isColumnHidden(varcol::OrderKey));
  EXPECT_EQ(view1->columnWidth(0), 37);  // 550 twips
  auto* model2 = Find<QTableView>(name::MSFlexGrid2)->model();
  EXPECT_EQ(model2->rowCount(), 0);
  EXPECT_EQ(model2->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Texto editado Alarmes (8X8)"));

  auto& variables = window->state().variables;
  variables.append({QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("C"), QStringLiteral("D1"),
                    QStringLiteral("Sim")});
  variables.grid().setBackground(1, 1, 1, 4, colours::Amber);
  ASSERT_EQ(model1->rowCount(), 1);
  EXPECT_EQ(model1->index(0, 1).data().toString(), QStringLiteral("TEMP"));
  EXPECT_EQ(ToRgb(model1->index(0, 0).data(Qt::BackgroundRole).value<QColor>()), colours::Grey);
  EXPECT_EQ(ToRgb(model1->index(0, 2).data(Qt::BackgroundRole).value<QColor>()), colours::Amber);
  EXPECT_TRUE(view1->isColumnHidden(varcol::OrderKey));  // also after the model reset

  variables.grid().setControlWidth(kVariableGridWideWidth);
  EXPECT_EQ(view1->width(), 281);
}

TEST_F(FormPrincipalTest, ClosingRightAfterStartUpAsksNothing) {
  window->show();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(FormPrincipalTest, WhatTheUserTypedReachesTheStateBeforeACommand) {
  Find<QLineEdit>(name::Campo(1))->setText(QStringLiteral("NÍVEL"));
  Find<QCheckBox>(name::ChechEditavel)->setChecked(true);
  Find<QTabWidget>(name::SSTab1)->setCurrentIndex(1);
  window->Gather();
  EXPECT_EQ(window->state().field(name::Campo(1)).text, QStringLiteral("NÍVEL"));
  EXPECT_TRUE(window->state().chechEditavel);
  EXPECT_EQ(window->state().currentTab, 1);
  window->Sync();  // and showing the state back does not undo the user's choices
  EXPECT_EQ(Find<QTabWidget>(name::SSTab1)->currentIndex(), 1);
}

TEST(QtMessageService, BreaksLinesWhereTheTextHasCrLf) {
  EXPECT_EQ(ToDisplayText(QStringLiteral("Endereço não informado.\r\nEndereços válidos: \r\n\r\nD0000 a D4999")),
            QStringLiteral("Endereço não informado.\nEndereços válidos: \n\nD0000 a D4999"));
}

}  // namespace
}  // namespace zelkor
