#pragma once

#include "commands/PlcCompare.h"

#include <memory>

class QDialog;
class QWidget;

namespace zelkor {

// The comparison seam bound to a Qt dialog: the summary, a table of the rows
// that differ, "Usar o CLP" and "Fechar".
class QtComparisonDialog final : public ComparisonView {
 public:
  explicit QtComparisonDialog(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  bool Show(const QString& title, const PlcComparison& comparison) override;

 private:
  QWidget* parent_;
};

// The dialog as it will be shown; accepted means "Usar o CLP".
std::unique_ptr<QDialog> BuildComparisonDialog(const QString& title, const PlcComparison& comparison, QWidget* parent);

}  // namespace zelkor
