#include "pad/referencefont.h"

#include <QFontMetricsF>
#include <QGuiApplication>

QStringList referenceFontFamilies()
{
    return {QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
            QStringLiteral("KacstOne")};
}

QFont referenceFont()
{
    QFont font = QGuiApplication::font();
    font.setFamilies(referenceFontFamilies());
    font.setPixelSize(100);
    return font;
}

qreal referenceLineSpacing()
{
    return QFontMetricsF(referenceFont()).lineSpacing();
}

qreal referenceCharHeight(ReferenceChar kind)
{
    const QString text = kind == ReferenceChar::LatinX ? QStringLiteral("x")
                                                       : QString(QChar(0x062F));
    return QFontMetricsF(referenceFont()).tightBoundingRect(text).height();
}
