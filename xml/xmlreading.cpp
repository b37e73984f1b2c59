#include "xml/xmlreading.h"

#include <QXmlStreamReader>

void skipUnknownElement(QXmlStreamReader &reader)
{
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            ++depth;
        else if (reader.isEndElement())
            --depth;
    }
}
