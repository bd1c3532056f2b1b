#include "ColorArchive.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <QtNumeric>
#include <qfloat16.h>

#include <array>
#include <bit>

namespace {

constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

// Qt writes a colour as its colour model (one signed byte) and five 16-bit words: alpha and four
// components, the last of which is padding for every model but CMYK.
constexpr qsizetype kRecordSize = 1 + 5 * 2;
constexpr quint16 kMaxHue = 35999;
constexpr quint16 kAchromaticHue = 0xffff;

struct Record {
    qint8 model = 0;
    std::array<quint16, 5> words{};
};

Record readRecord(const QByteArray& bytes)
{
    Record record;
    record.model = static_cast<qint8>(bytes.at(0));
    for (int i = 0; i < 5; ++i)
        record.words[i] = qFromBigEndian<quint16>(bytes.constData() + 1 + 2 * i);
    return record;
}

bool isFiniteHalf(quint16 bits)
{
    return qIsFinite(std::bit_cast<qfloat16>(bits));
}

bool halfWithin(quint16 bits, float low, float high)
{
    const float value = std::bit_cast<qfloat16>(bits);
    return value >= low && value <= high;
}

// QDataStream copies the words into the colour unchecked, so a record that Qt itself would never write
// (an unknown colour model, a hue past 359.99 degrees, a NaN component) would otherwise become a colour whose
// conversions are garbage.
bool isWellFormed(const Record& r)
{
    const auto& w = r.words;
    switch (r.model) {
    case QColor::Rgb:
        return w[4] == 0;
    case QColor::Hsv:
    case QColor::Hsl:
        return (w[1] <= kMaxHue || w[1] == kAchromaticHue) && w[4] == 0;
    case QColor::Cmyk:
        return true;
    case QColor::ExtendedRgb:
        return halfWithin(w[0], 0.0f, 1.0f) && isFiniteHalf(w[1]) && isFiniteHalf(w[2]) && isFiniteHalf(w[3]) &&
               w[4] == 0;
    default:
        return false;
    }
}

} // namespace

namespace ColorArchive {

QByteArray archive(const QColor& color)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << color;
    return bytes;
}

std::optional<QColor> unarchive(const QByteArray& bytes)
{
    if (bytes.size() != kRecordSize || !isWellFormed(readRecord(bytes)))
        return std::nullopt;

    QColor color;
    QDataStream in(bytes);
    in.setVersion(kStreamVersion);
    in >> color;
    if (in.status() != QDataStream::Ok || !color.isValid())
        return std::nullopt;
    return color;
}

} // namespace ColorArchive
