#pragma once

#include <QValidator>

namespace zelkor {

// Entry fields take only printable characters that the file and the PLC can
// hold as one byte; anything else is refused as it is typed or pasted.
class Cp1252Validator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace zelkor
