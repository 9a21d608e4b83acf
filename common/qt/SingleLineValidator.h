// For a one-line field whose text is stored as a record field: a line break or other
// control character, typed, pasted or set from code, becomes a blank, so that it can
// never split the record. Characters given as forbidden are refused altogether.
#pragma once

#include <QValidator>

namespace chimeset {

class SingleLineValidator : public QValidator {
    Q_OBJECT
  public:
    explicit SingleLineValidator(QObject* parent = nullptr, QString forbidden = QString())
        : QValidator(parent), forbidden_(std::move(forbidden)) {}

    State validate(QString& input, int& position) const override;

  private:
    QString forbidden_;
};

}  // namespace chimeset
