#include "Widgets.h"

#include "Cp1252Validator.h"

#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelkor {

namespace {
// Room for `text` in a line edit, with its frame, margins and cursor.
int LineEditWidth(const QLineEdit& edit, const QString& text) {
  return edit.fontMetrics().horizontalAdvance(text) + 10;
}
}  // namespace

QPushButton* IconButton(QWidget* parent, const QString& objectName, const QString& icon, const QString& toolTip,
                        const QString& accessibleName) {
  auto* button = Named(new QPushButton(parent), objectName, accessibleName);
  button->setIcon(QIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".png")));  // finds the @2x copy itself
  button->setIconSize({24, 24});
  button->setToolTip(toolTip);
  // A square around the picture, not a text button's width.
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  const int side = button->iconSize().height() + 8;
  button->setFixedSize(side, side);
  return button;
}

QPushButton* TextButton(QWidget* parent, const QString& objectName, const QString& caption,
                        const QString& accessibleName) {
  return Named(new QPushButton(caption, parent), objectName, accessibleName);
}

QLabel* Label(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

QLineEdit* Field(QWidget* parent, const QString& objectName, int maxLength, const QString& accessibleName) {
  auto* field = Named(new QLineEdit(parent), objectName, accessibleName);
  field->setMaxLength(maxLength);
  field->setValidator(new Cp1252Validator(field));
  field->setFixedWidth(LineEditWidth(*field, QString(maxLength, u'O')));  // as wide as capitals, as texts mostly are
  return field;
}

QLineEdit* Display(QWidget* parent, const QString& objectName, const QString& accessibleName, const QString& sample) {
  auto* display = Named(new QLineEdit(parent), objectName, accessibleName);
  display->setReadOnly(true);
  display->setFocusPolicy(Qt::NoFocus);
  display->setAlignment(Qt::AlignCenter);
  display->setFixedWidth(LineEditWidth(*display, sample));
  return display;
}

QFont FixedPitchFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

void SetTabOrder(const std::vector<QWidget*>& widgets) {
  QWidget* previous = nullptr;
  for (QWidget* next : widgets) {
    if (previous) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

}  // namespace zelkor
