#pragma once

#include "race/RaceOutputs.h"

#include <QStringList>

/// The station's publisher until it has a hub to talk to: every message is
/// dropped, as the hub client drops what it sends while not connected, and
/// the last ones are kept so the operator can see what would have gone out.
class DroppingPublisher : public Publisher {
public:
    static constexpr int kKept = 50;

    void publish(const QString& message) override {
        ++m_dropped;
        recent << message;
        while (recent.size() > kKept) recent.removeFirst();
    }

    int dropped() const { return m_dropped; }

    QStringList recent;

private:
    int m_dropped = 0;
};
