#pragma once

class QXmlStreamReader;

// With the reader on a start element, reads past that element and everything it holds and
// stops on its end element (or where the document ends or breaks).
void skipUnknownElement(QXmlStreamReader &reader);
