// The interval of a running Qt timer passes: its timeout fires once, as the
// event loop fires it when the interval is over, without the test waiting.
// Times the code reads itself come from FakeClock (support/fake_clock.h).
#pragma once

#include <QMetaObject>
#include <QTimer>
#include <gtest/gtest.h>

inline void Elapse(QTimer* timer) {
    ASSERT_TRUE(timer->isActive()) << timer->objectName().toStdString() << " is not running";
    // Qt stops a single-shot timer before it emits.
    if (timer->isSingleShot()) timer->stop();
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}
