#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top left corner that centres a window of `frame` size on `reference` and then keeps it
// inside `available`; when the window is larger than the area its top left corner wins.
QPoint centredInside(const QSize &frame, const QRect &reference, const QRect &available);

// Moves a dialog or message box over the application's panel (over the primary screen's
// available area when there is no panel).
void placeOverPanel(QWidget *window);
