#include "station/Countdown.h"

#include "station/StationTexts.h"

#include <algorithm>

void Countdown::start(int seconds) {
    m_total = seconds;
    m_elapsed = 0;
}

bool Countdown::tick() {
    ++m_elapsed;
    return ended();
}

void Countdown::endEarly(int marker) {
    m_elapsed = std::max(marker, m_total);
}

QString Countdown::secondsText(int seconds) {
    return QString::number(seconds) + texts::kSeconds;
}
