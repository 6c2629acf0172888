// Paints the launcher's built-in pictures into an installation directory:
// bmp/image<N>.jpg, event/<name>.bmp and the seasonal table event_tbl.
//
//   picgen <installation directory>

#include "common/quotedfields.h"
#include "common/recordfile.h"
#include "widgets/pictureart.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

// The seasonal days shipped with the launcher; the computed holiday weekends
// come on top of these.
struct ShippedDay
{
    const char* key;
    const char* picture;
};
constexpr ShippedDay ShippedDays[] = {
    {"0101", "shogatsu"}, {"0102", "shogatsu"}, {"0103", "shogatsu"},
    {"0203", "setsubun"}, {"0303", "hina"},     {"0505", "kodomo"},
    {"0707", "tanabata"}, {"1224", "xmas"},     {"1225", "xmas"},
};

bool fail(const QString& what)
{
    std::fprintf(stderr, "picgen: %s\n", qPrintable(what));
    return false;
}

bool writeImage(const QImage& image, const QString& path, const char* format, int quality)
{
    if (image.isNull())
        return fail(QStringLiteral("nothing painted for ") + path);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        return fail(path + QStringLiteral(": ") + writer.errorString());
    if (lc::saveFileContents(path, bytes) != 0)
        return fail(QStringLiteral("cannot write ") + path);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: picgen <installation directory>\n");
        return 2;
    }
    const QDir dist(args.at(1));
    if (!dist.mkpath(QStringLiteral("bmp")) || !dist.mkpath(QStringLiteral("event"))) {
        fail(QStringLiteral("cannot create the folders in ") + dist.path());
        return 1;
    }

    bool ok = true;
    for (const int n : lc::art::backgroundNumbers()) {
        const QString path = dist.filePath(QStringLiteral("bmp/image%1.jpg").arg(n));
        ok = writeImage(lc::art::background(n), path, "jpg", 90) && ok;
    }
    for (const QString& name : lc::art::seasonalNames()) {
        const QString path =
            dist.filePath(QStringLiteral("event/") + name + QStringLiteral(".bmp"));
        ok = writeImage(lc::art::seasonal(name).convertToFormat(QImage::Format_RGB888), path, "bmp",
                        -1) &&
             ok;
    }

    QByteArray table;
    for (const ShippedDay& day : ShippedDays) {
        const QString picture = QString::fromLatin1(day.picture);
        if (!lc::art::seasonalNames().contains(picture))
            ok = fail(QStringLiteral("no picture painted for ") + picture);
        table += lc::writeQuotedRecord({QString::fromLatin1(day.key) + picture});
    }
    table += lc::writeQuotedRecord({qint64(999)});
    if (lc::saveFileContents(dist.filePath(QStringLiteral("event_tbl")), table) != 0)
        ok = fail(QStringLiteral("cannot write event_tbl"));
    return ok ? 0 : 1;
}
