#pragma once
// The days field takes digits only, up to the most days the device's period can hold, so that
// a typing error never turns into a different period. Empty and 0 mean "since the last
// download".

#include <QValidator>

namespace velmaron {

class DaysValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace velmaron
