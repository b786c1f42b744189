// The GUI's Pump: processes window messages and sleeps for real.
#pragma once

#include <QElapsedTimer>

#include "core/pump.h"

namespace avz {

class QtPump : public Pump {
public:
    QtPump() { m_clock.start(); }
    void processEvents() override;
    void sleepMs(int ms) override;
    std::int64_t nowMs() const override { return m_clock.elapsed(); }

private:
    QElapsedTimer m_clock;
};

}  // namespace avz
