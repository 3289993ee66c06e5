#include "app/days_validator.h"

#include "config/download_period.h"

namespace velmaron {

QValidator::State DaysValidator::validate(QString& input, int&) const {
    // Every beginning of an acceptable text is acceptable itself, so nothing is intermediate.
    return IsDaysText(input.toStdString()) ? Acceptable : Invalid;
}

} // namespace velmaron
