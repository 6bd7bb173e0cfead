#include "embeddedcover.h"

#include <QFile>
#include <QIODevice>

#include <optional>

namespace {

// Bigger tags or pictures are not covers but damage.
constexpr qint64 kMaxTag = 16 * 1024 * 1024;
constexpr int kMaxFlacBlocks = 128;
constexpr quint32 kFrontCover = 3;

// The chosen picture so far: the front cover beats any other.
struct Choice {
    QByteArray data;
    bool front = false;
    void offer(QByteArray picture, quint32 type)
    {
        if (picture.isEmpty() || front)
            return;
        if (type == kFrontCover || data.isEmpty()) {
            data = std::move(picture);
            front = type == kFrontCover;
        }
    }
};

// Reads big-endian whole numbers and byte runs out of a byte array, failing
// (and staying failed) at the end instead of reading past it.
class Reader {
public:
    explicit Reader(const QByteArray& bytes, qsizetype from = 0)
        : m_bytes(bytes)
        , m_at(from)
    {
    }
    bool ok() const { return m_ok; }
    qsizetype left() const { return m_ok ? m_bytes.size() - m_at : 0; }
    quint32 number(int bytes, int bitsPerByte = 8)
    {
        quint32 n = 0;
        for (const char c : take(bytes))
            n = (n << bitsPerByte) | (quint8(c) & ((1u << bitsPerByte) - 1));
        return n;
    }
    QByteArray take(qsizetype n)
    {
        if (!m_ok || n < 0 || n > left()) {
            m_ok = false;
            return {};
        }
        const QByteArray out = m_bytes.mid(m_at, n);
        m_at += n;
        return out;
    }
    // Skips a text ended by a zero of `width` bytes (1 or 2, aligned).
    void skipText(int width)
    {
        while (m_ok) {
            const QByteArray unit = take(width);
            if (m_ok && unit.count('\0') == width)
                return;
        }
    }
    QByteArray rest() { return take(left()); }

private:
    const QByteArray& m_bytes;
    qsizetype m_at;
    bool m_ok = true;
};

// Undoes the tag's "unsynchronisation": every 0xFF 0x00 was 0xFF.
QByteArray resynchronised(const QByteArray& in)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        out.append(in[i]);
        if (quint8(in[i]) == 0xff && i + 1 < in.size() && in[i + 1] == '\0')
            ++i;
    }
    return out;
}

// An APIC frame (ID3v2.3, 2.4): encoding, MIME type, picture type,
// description, picture. A PIC frame (2.2) has a three-letter format instead
// of the MIME type.
void readPictureFrame(const QByteArray& frame, bool threeLetterFormat, Choice& choice)
{
    Reader r(frame);
    const quint32 encoding = r.number(1);
    if (threeLetterFormat)
        r.take(3);
    else
        r.skipText(1);
    const quint32 type = r.number(1);
    r.skipText(encoding == 1 || encoding == 2 ? 2 : 1);
    const QByteArray data = r.rest();
    if (r.ok())
        choice.offer(data, type);
}

void readId3(const QByteArray& tag, int version, bool unsynchronised, bool extended, Choice& choice)
{
    const QByteArray body = unsynchronised && version < 4 ? resynchronised(tag) : tag;
    Reader r(body);
    if (extended && version >= 3) {
        const quint32 size = version == 4 ? r.number(4, 7) : r.number(4);
        r.take(version == 4 ? qsizetype(size) - 4 : qsizetype(size));
    }
    const int idBytes = version == 2 ? 3 : 4;
    while (r.ok() && r.left() > idBytes * 2) {
        const QByteArray id = r.take(idBytes);
        if (id.front() == '\0')
            return; // padding
        const quint32 size = version == 2 ? r.number(3) : r.number(4, version == 4 ? 7 : 8);
        const quint32 flags = version == 2 ? 0 : r.number(2);
        QByteArray frame = r.take(qsizetype(size));
        if (!r.ok())
            return;
        const bool picture = id == (version == 2 ? "PIC" : "APIC");
        // Compressed or encrypted frames are passed over.
        const bool packed = version == 3 ? (flags & 0xc0) != 0 : version == 4 && (flags & 0x0c) != 0;
        if (!picture || packed)
            continue;
        if (version == 4) {
            if (flags & 0x01)
                frame.remove(0, 4); // data length indicator
            if ((flags & 0x02) || unsynchronised)
                frame = resynchronised(frame);
        }
        readPictureFrame(frame, version == 2, choice);
    }
}

// The ID3v2 tag at the start, if there is one; afterwards `file` stands
// after it.
void readId3At(QIODevice& file, Choice& choice)
{
    const QByteArray header = file.peek(10);
    if (header.size() < 10 || !header.startsWith("ID3"))
        return;
    Reader h(header, 3);
    const int version = int(h.number(1));
    h.number(1);
    const quint32 flags = h.number(1);
    const qint64 size = h.number(4, 7);
    file.read(10);
    if (version < 2 || version > 4 || size > kMaxTag)
        return;
    const QByteArray tag = file.read(size);
    if (tag.size() != size)
        return;
    readId3(tag, version, flags & 0x80, flags & 0x40, choice);
    if (flags & 0x10)
        file.read(10); // footer
}

// PICTURE block: type, MIME type, description, width, height, depth,
// colours, picture.
void readFlacPicture(const QByteArray& block, Choice& choice)
{
    Reader r(block);
    const quint32 type = r.number(4);
    r.take(r.number(4));
    r.take(r.number(4));
    r.take(16);
    const QByteArray data = r.take(r.number(4));
    if (r.ok())
        choice.offer(data, type);
}

void readFlac(QIODevice& file, Choice& choice)
{
    if (file.read(4) != "fLaC")
        return;
    for (int i = 0; i < kMaxFlacBlocks && !choice.front; ++i) {
        const QByteArray header = file.read(4);
        if (header.size() != 4)
            return;
        Reader h(header);
        const quint32 flags = h.number(1);
        const qint64 length = h.number(3);
        if ((flags & 0x7f) == 6) {
            const QByteArray block = file.read(length);
            if (block.size() != length)
                return;
            readFlacPicture(block, choice);
        } else if (!file.seek(file.pos() + length)) {
            return;
        }
        if (flags & 0x80)
            return; // the last metadata block
    }
}

} // namespace

QByteArray EmbeddedPicture(QIODevice& file)
{
    Choice choice;
    readId3At(file, choice);
    if (!choice.front)
        readFlac(file, choice);
    return choice.data;
}

QImage EmbeddedCover(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QImage::fromData(EmbeddedPicture(file));
}
