// Pictures inside song files: FLAC picture blocks and ID3v2 picture frames
// of each tag version, the front cover chosen, damaged tags giving nothing.
#include "embeddedcover.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray bigEndian(quint32 n, int bytes, int bitsPerByte = 8)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((n >> (i * bitsPerByte)) & ((1u << bitsPerByte) - 1)));
    return out;
}

QByteArray apic(quint32 type, const QByteArray& data, char encoding = 0)
{
    const QByteArray description = encoding == 1 ? QByteArray("\xff\xfe"
                                                              "d\0\0\0",
                                       6)
                                                 : QByteArray("cover\0", 6);
    return QByteArray(1, encoding) + QByteArray("image/png\0", 10) + char(type) + description + data;
}

// A tag of `version` holding picture frames (and a text frame before them).
QByteArray id3(int version, const QList<QByteArray>& pictures, quint8 flags = 0, quint8 frameFlags = 0)
{
    QByteArray frames;
    const auto frame = [&](const QByteArray& id23, const QByteArray& id22, const QByteArray& body) {
        if (version == 2)
            return id22 + bigEndian(quint32(body.size()), 3) + body;
        return id23 + bigEndian(quint32(body.size()), 4, version == 4 ? 7 : 8) + char(0) + char(frameFlags)
            + body;
    };
    frames += frame("TIT2", "TT2", QByteArray("\0Song", 5));
    for (const QByteArray& p : pictures) {
        QByteArray body = p;
        if (version == 2)
            body = p.left(1) + "PNG" + p.mid(11); // three-letter format for the MIME type
        frames += frame("APIC", "PIC", body);
    }
    frames += QByteArray(16, '\0'); // padding
    return "ID3" + QByteArray(1, char(version)) + char(0) + char(flags)
        + bigEndian(quint32(frames.size()), 4, 7) + frames;
}

// The tag as a writer stores it unsynchronised: a zero after every 0xFF,
// the header flag set and its size grown to match.
QByteArray unsynchronised(const QByteArray& tag)
{
    QByteArray body = tag.mid(10);
    body.replace(QByteArray("\xff", 1), QByteArray("\xff\0", 2));
    return tag.left(5) + char(0x80) + bigEndian(quint32(body.size()), 4, 7) + body;
}

QByteArray flacPicture(quint32 type, const QByteArray& data)
{
    return bigEndian(type, 4) + bigEndian(9, 4) + "image/png" + bigEndian(0, 4) + QByteArray(16, '\0')
        + bigEndian(quint32(data.size()), 4) + data;
}

QByteArray flac(const QList<std::pair<int, QByteArray>>& blocks)
{
    QByteArray out = "fLaC";
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const bool last = i + 1 == blocks.size();
        out += char((last ? 0x80 : 0) | blocks[i].first) + bigEndian(quint32(blocks[i].second.size()), 3)
            + blocks[i].second;
    }
    return out + "\xff\xf8 sound frames";
}

QByteArray pictureIn(const QByteArray& file)
{
    QByteArray copy = file;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return EmbeddedPicture(buffer);
}

TEST(EmbeddedCover, FindsTheFrontCoverInEachKindOfTag)
{
    const QByteArray back = "BACK", front = "FRONT\xff\x00X";
    struct Case {
        const char* name;
        QByteArray file;
        QByteArray picture;
    };
    const QByteArray streamInfo(34, '\1');
    const Case cases[] = {
        { "flac, front after back",
            flac({ { 0, streamInfo }, { 6, flacPicture(4, back) }, { 6, flacPicture(3, front) } }), front },
        { "flac, only another picture",
            flac({ { 0, streamInfo }, { 4, "vorbis" }, { 6, flacPicture(0, back) } }), back },
        { "flac without pictures", flac({ { 0, streamInfo } }), {} },
        { "id3v2.3", id3(3, { apic(4, back), apic(3, front) }), front },
        { "id3v2.3, UTF-16 description", id3(3, { apic(3, front, 1) }), front },
        { "id3v2.4", id3(4, { apic(3, front) }), front },
        { "id3v2.2", id3(2, { apic(3, front) }), front },
        { "id3v2.3 unsynchronised", unsynchronised(id3(3, { apic(3, QByteArray("FRONT\xff\x00X", 8)) })),
            QByteArray("FRONT\xff\x00X", 8) },
        { "id3v2.4 frame unsynchronised", id3(4, { apic(3, QByteArray("A\xff\x00\xe0", 4)) }, 0, 0x02),
            QByteArray("A\xff\xe0", 3) },
        { "id3v2.4 compressed frame passed over", id3(4, { apic(3, front) }, 0, 0x08), {} },
        { "id3 before flac", id3(3, {}) + flac({ { 6, flacPicture(3, front) } }), front },
        { "no tag", QByteArray("RIFF....WAVEfmt "), {} },
        { "empty", QByteArray(), {} },
        { "id3 cut short", id3(3, { apic(3, front) }).left(40), {} },
        { "flac block longer than the file", flac({ { 6, flacPicture(3, front) } }).left(30), {} },
        { "flac picture length beyond its block", flac({ { 6, flacPicture(3, front).chopped(3) } }), {} },
        { "id3 version 5", QByteArray("ID3\x05\0\0\0\0\0\x10", 10) + QByteArray(16, 'x'), {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(pictureIn(c.file), c.picture) << c.name;
}

TEST(EmbeddedCover, DecodesThePictureOfAFile)
{
    QImage cover(8, 4, QImage::Format_RGB32);
    cover.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && cover.save(&buffer, "PNG"));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("song.mp3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(id3(3, { apic(3, png) }) + "\xff\xfb mpeg frames");
    file.close();
    EXPECT_EQ(EmbeddedCover(file.fileName()).convertToFormat(QImage::Format_RGB32), cover);
    EXPECT_TRUE(EmbeddedCover(dir.filePath(QStringLiteral("missing.mp3"))).isNull());
}

} // namespace
