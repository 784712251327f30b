#include "Clock.h"

namespace platform {

namespace {
QDateTime fixed;
}

QDateTime Clock::now() { return fixed.isValid() ? fixed : QDateTime::currentDateTime(); }

void Clock::setFixed(const QDateTime& t) { fixed = t; }

}  // namespace platform
