#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace zelkor {

class PortComboBox;

// "Lista de Variáveis e Alarmes": the file buttons with Desfazer and Refazer,
// the reserved memory and the two counts.
class FilesFrameView final : public QGroupBox {
  Q_OBJECT

 public:
  explicit FilesFrameView(QWidget* parent);

  QPushButton* open;
  QToolButton* recent;  // its arrow opens the recent files
  QPushButton* save;
  QPushButton* saveAs;
  QPushButton* print;
  QPushButton* undo;
  QPushButton* redo;
  QLineEdit* firstWord;
  QLineEdit* lastWord;
  QLineEdit* variableCount;
  QLineEdit* alarmCount;
};

// "Comunicação com o CLP": the port and "Localizar CLP" beside it, a transfer's progress, Grava CLP and its
// verification.
class LinkFrameView final : public QGroupBox {
  Q_OBJECT

 public:
  explicit LinkFrameView(QWidget* parent);

  PortComboBox* ports;
  QPushButton* find;
  QProgressBar* progressBar;
  QLabel* progressText;
  QPushButton* write;
  QCheckBox* verify;
};

}  // namespace zelkor
