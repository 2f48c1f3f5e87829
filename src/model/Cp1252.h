#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The single-byte Windows-1252 code page of the parameter file and the PLC
// image. Qt carries it only in ICU builds, so the table of 80h..9Fh lives here.
// The five bytes the code page leaves undefined (81h, 8Dh, 8Fh, 90h, 9Dh) map
// to the control characters of the same number, as Windows does, so that every
// byte survives a read and a write.
namespace zelkor::cp1252 {

// -1 when the character has no byte in the code page.
int ByteOf(QChar c);

// What a text cell may hold: a printable character with a byte of its own
// (no control character, none of the five undefined bytes).
bool Typeable(QChar c);

// Characters without a byte become '?' and clear *ok.
QByteArray Encode(const QString& text, bool* ok = nullptr);
QString Decode(const QByteArray& bytes);

}  // namespace zelkor::cp1252
