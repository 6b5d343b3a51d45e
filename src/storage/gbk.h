#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The 8-bit text of the channel files and the settings file: GBK (code page
// 936), the code page of every built-in Chinese text.

// Whether this Qt build can convert GBK at all (checked once).
bool gbkAvailable();

// Encodes a text as GBK. A character GBK cannot hold becomes '?'; *lossless
// (when given) tells whether that happened.
QByteArray toGbk(const QString &text, bool *lossless = nullptr);

// Decodes GBK bytes. An invalid or cut byte sequence (a lead byte at the
// end, say) becomes U+FFFD instead of vanishing.
QString fromGbk(QByteArrayView bytes);
