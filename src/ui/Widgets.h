#pragma once

#include <QFont>
#include <QString>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zelkor {

// The small pieces every page and frame is made of.

template <class W>
W* Named(W* widget, const QString& objectName, const QString& accessibleName) {
  widget->setObjectName(objectName);
  widget->setAccessibleName(accessibleName);
  return widget;
}

// Our own small pictures, rasterised at build time: Qt's standard icons first
// search the desktop's icon theme and decode every size of each picture, which
// took a third of the start; drawing our SVGs here took another twentieth.
QPushButton* IconButton(QWidget* parent, const QString& objectName, const QString& icon, const QString& toolTip,
                        const QString& accessibleName);
QPushButton* TextButton(QWidget* parent, const QString& objectName, const QString& caption,
                        const QString& accessibleName);
// A label that names the control it sits beside, for the keyboard and for a screen reader.
QLabel* Label(QWidget* parent, const QString& text, QWidget* buddy = nullptr);
// An entry field as wide as its longest entry.
QLineEdit* Field(QWidget* parent, const QString& objectName, int maxLength, const QString& accessibleName);
// A read-only value, as wide as the widest it shows (`sample`).
QLineEdit* Display(QWidget* parent, const QString& objectName, const QString& accessibleName, const QString& sample);
// The desktop's fixed-pitch font, for texts that line up in columns.
QFont FixedPitchFont();
// Tab goes through the widgets in this order.
void SetTabOrder(const std::vector<QWidget*>& widgets);

}  // namespace zelkor
