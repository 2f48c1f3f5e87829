#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zelkor {

class KeyboardGrid;

// What tells the two list pages apart: the names of their controls and their entry line.
struct ListPageLook {
  struct Entry {
    QString objectName;
    QString label;  // also its accessible name
    int maxLength;
  };
  QString grid;
  QString gridName;
  QString up;
  QString down;
  QString clearList;
  QString clearListTip;
  QString clearListName;
  QString remove;
  QString edit;
  QString clearFields;
  QString include;
  std::vector<Entry> entries;
  QString tick;  // the objectName of the Editável tick; none: no tick
};

// "Variáveis" or "Alarmes": the grid, the buttons beside and under it, the
// entry line and its buttons. The grid takes whatever room the page gets.
class ListPage final : public QWidget {
  Q_OBJECT

 public:
  ListPage(const ListPageLook& look, QWidget* parent);

  KeyboardGrid* grid;
  QPushButton* up;
  QPushButton* down;
  QPushButton* clearList;
  QPushButton* remove;
  QPushButton* edit;
  QPushButton* clearFields;
  QPushButton* include;
  std::vector<QLineEdit*> entries;
  QCheckBox* tick = nullptr;
  std::vector<QWidget*> readingOrder;  // the grid and the buttons beside and below it, the entry line and its buttons
};

// "Monitor": the link's lines and the two buttons under them.
class MonitorPage final : public QWidget {
  Q_OBJECT

 public:
  explicit MonitorPage(QWidget* parent);

  QPlainTextEdit* lines;
  QPushButton* clear;
  QPushButton* save;
};

// "Sobre": the program's picture, an operator panel; its version, licence, homepage and the Qt it runs on.
class AboutPage final : public QWidget {
  Q_OBJECT

 public:
  explicit AboutPage(QWidget* parent);
};

}  // namespace zelkor
