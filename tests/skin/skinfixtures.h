#pragma once

#include <QEvent>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class QPixmap;

// The file of the test artwork, with the elements "flag" (red left, blue right half),
// "disc", "sheet" (four squares) with clips "sheet_third" and "sheet_middle", and state
// variants of "send" and "mode".
QString fixtureFile();

// The colour of one device pixel.
QRgb pixelAt(const QPixmap &pixmap, int x, int y);

// True when every pixel repeats the top-left one of its block x block square, as a picture
// scaled up by block with fast transformation does.
bool isBlockScaled(const QPixmap &pixmap, int block);

// A parent that records the mouse events reaching it, with their positions.
class MouseRecorder : public QWidget
{
public:
    using QWidget::QWidget;
    struct Entry
    {
        QEvent::Type type;
        QPoint pos;
    };
    QList<Entry> entries;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
