#pragma once

#include <QPainterPath>
#include <QString>

// An outline of the skin, in a box of width x height, anchored at one corner of the window
// ("topleft", "topright", "bottomleft" or "bottomright").
struct SkinPath
{
    QPainterPath path;
    int width = 0;
    int height = 0;
    QString name;
    QString anchor;
};
