// Turns letters to upper case as they are typed (the ID name fields).
#pragma once

#include <QValidator>

namespace chimeset {

class UpperCaseValidator : public QValidator {
    Q_OBJECT
  public:
    explicit UpperCaseValidator(QObject* parent = nullptr) : QValidator(parent) {}
    State validate(QString& input, int& position) const override;
};

}  // namespace chimeset
