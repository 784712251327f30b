#pragma once

#include <QDateTime>

namespace platform {

/// Time of day for log names and timed rules; tests set it.
class Clock {
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    /// Fixes the clock at `t`; an invalid value restores the system clock.
    static void setFixed(const QDateTime& t);
};

}  // namespace platform
