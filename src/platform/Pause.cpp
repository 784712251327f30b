#include "Pause.h"

#include <QThread>

namespace platform {

void BlockingPause::wait(int ms) {
    if (ms > 0) QThread::msleep(ulong(ms));
}

}  // namespace platform
