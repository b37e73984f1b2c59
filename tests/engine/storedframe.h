#pragma once

// Builds stored objects by hand: "ZKEO", version, type, size, payload, CRC-32.
#include <QByteArray>

inline quint32 frameCrc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : bytes) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

inline QByteArray storedFrame(quint32 type, const QByteArray &payload)
{
    return QByteArray("ZKEO") + le32(1) + le32(type) + le32(quint32(payload.size())) + payload
           + le32(frameCrc32(payload));
}
