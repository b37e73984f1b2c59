#pragma once

#include "resources/resourcepaths.h"

#include <QString>

// The path of a skin SVG file given by its name: ":/data/images/<name>.svg".
inline QString skinImagePath(const QString &name)
{
    return resourcepaths::images() + name + QStringLiteral(".svg");
}
