// Controls of the dialogs made in one step: the control, its name (the
// objectName the tests and placements find it by) and its place.
#pragma once

#include <QRect>
#include <QWidget>

template <typename W>
W* NewControl(QWidget* parent, const char* name, QRect geometry) {
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}
