#pragma once

#include <QLayout>
#include <QList>

// A stack of layers that each cover the whole rectangle of the layout.
class LayeredLayout : public QLayout
{
    Q_OBJECT
public:
    explicit LayeredLayout(QWidget *parent = nullptr);
    ~LayeredLayout() override;

    void addItem(QLayoutItem *item) override;
    // Null layouts and widgets are not added.
    void addLayoutLayer(QLayout *layout);
    void addWidgetLayer(QWidget *widget);

    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    void setGeometry(const QRect &rect) override;
    QSize sizeHint() const override;
    Qt::Orientations expandingDirections() const override;

private:
    QList<QLayoutItem *> m_layers;
};
