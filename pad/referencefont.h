#pragma once

#include <QFont>
#include <QStringList>

// All text geometry is computed in one reference font and scaled by the items' transforms.

// The families the reference font is drawn from, in fallback order: a Latin sans with
// Arabic, then a CJK face. Named explicitly so that metrics do not depend on the desktop.
QStringList referenceFontFamilies();

// The application's default font in the reference families, at pixel size 100.
QFont referenceFont();

// QFontMetricsF::lineSpacing of the reference font.
qreal referenceLineSpacing();

// Which character referenceCharHeight measures.
enum class ReferenceChar {
    LatinX,
    ArabicDal
};

// Height of the tight bounding rectangle of "x" or of U+062F in the reference font.
qreal referenceCharHeight(ReferenceChar kind);
