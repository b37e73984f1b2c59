#pragma once

#include <QColor>
#include <QRect>
#include <QSharedPointer>
#include <QString>
#include <QWidget>

class SvgUIRenderer;

// A decorative skin piece: paints one element of a skin SVG file, optionally cut to a clip
// element, and can shape its window with the mask of a mask element.
class SvgUIWidget : public QWidget
{
    Q_OBJECT
public:
    // Draws element of ":/data/images/<file>.svg", cut to clip when clip is not empty.
    SvgUIWidget(const QString &file, const QString &element, const QString &clip,
                QWidget *parent = nullptr);
    ~SvgUIWidget() override;

    QString file() const { return m_file; }
    QString element() const { return m_element; }
    QString clip() const { return m_clip; }
    QString maskFile() const { return m_maskFile; }
    QString maskElement() const { return m_maskElement; }
    QRect overlayRect() const { return m_overlayRect; }
    QColor overlayColor() const { return m_overlayColor; }
    bool isAttached() const { return m_attached; }

    // The element's (or clip's) bounds times the scale factors, rounded.
    QSize sizeHint() const override;

    virtual void setScaleFactors(float sx, float sy);
    // On: the mask is taken from the drawn file; off: no mask.
    virtual void setMaskEnabled(bool on);
    // The mask is element of ":/data/images/<file>.svg"; "auto" names the drawn element.
    virtual void setMaskSource(const QString &file, const QString &element);
    virtual void setOverlay(int x, int y, int width, int height, const QColor &color);
    // With a mask set, paints the mask shape at the widget's place into a painter of its
    // parent, replacing what is there; the overlay rectangle is the part painted.
    virtual void paintMaskInto(QPainter *painter);

    // Marks the piece as carrying an attached popup; repaints at once.
    void setAttached(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSharedPointer<SvgUIRenderer> m_renderer;
    QString m_file;
    QString m_maskFile;
    QString m_element;
    QString m_clip;
    QString m_maskElement;
    bool m_attached = false;
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
    QRect m_overlayRect{0, 0, 0, 0};
    QColor m_overlayColor;
};
