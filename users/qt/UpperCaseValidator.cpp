#include "users/qt/UpperCaseValidator.h"

namespace chimeset {

QValidator::State UpperCaseValidator::validate(QString& input, int& position) const {
    input = input.toUpper();
    // Upper-casing can lengthen the text (a sharp s becomes SS).
    if (position > input.size()) position = static_cast<int>(input.size());
    return Acceptable;
}

}  // namespace chimeset
