#include "backgrounds.h"

#include "common/bytetext.h"
#include "common/codepage.h"
#include "common/quotedfields.h"
#include "common/twips.h"

namespace lc {

BackgroundKind backgroundKind(int number)
{
    if (number >= 0 && number <= 7)
        return BackgroundKind::Stretched;
    if (number >= 10 && number <= 12)
        return BackgroundKind::Natural;
    if (number >= 13 && number <= 33)
        return BackgroundKind::Enlarged;
    if (number == Background::Colour)
        return BackgroundKind::Colour;
    if (number == Background::OwnFile)
        return BackgroundKind::OwnFile;
    return BackgroundKind::None;
}

bool isBuiltinBackground(int number)
{
    const BackgroundKind kind = backgroundKind(number);
    return kind == BackgroundKind::Stretched || kind == BackgroundKind::Natural ||
           kind == BackgroundKind::Enlarged;
}

bool hasOverlay(int number)
{
    return number == 0 || number == 1;
}

QString builtinPictureName(int number)
{
    return QStringLiteral("bmp/image%1.jpg").arg(number);
}

QRect fullWindowTwips()
{
    return QRect(0, 0, 11900, 8200);
}

QPoint picturePositionTwips(int number, Applied applied)
{
    switch (number) {
    case 10:
        return {5300, 500};
    case 11:
        return {4440, -240};
    case 12:
        return {600, 120};
    default:
        break;
    }
    if (applied == Applied::AtStartUp)
        return {4800, 1320};
    return {number == 14 || number == 26 ? 5700 : 4800, 1500};
}

QSize enlargedSize(QSize naturalPx)
{
    // The size is enlarged in twips, as the window measures it, then shown in pixels.
    return twips::size(twips::fromPx(naturalPx.width()) * Background::Enlargement,
                       twips::fromPx(naturalPx.height()) * Background::Enlargement);
}

std::optional<quint32> parseColourText(const QString& text)
{
    const QString t = trimBlanks(text);
    bool ok = false;
    const qlonglong value = t.toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return std::nullopt;
    return quint32(value);
}

QString colourText(quint32 bgr)
{
    return QString::number(bgr);
}

std::optional<BackImgRecord> parseBackImg(const QByteArray& bytes)
{
    QuotedFieldReader reader(bytes);
    if (reader.atEnd())
        return std::nullopt;
    bool ok = false;
    const int number = trimBlanks(reader.next()).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return BackImgRecord{number, trimBlanks(reader.next())};
}

QByteArray backImgBytes(const BackImgRecord& record)
{
    return writeQuotedRecord({qint64(record.number), record.text});
}

bool isStorablePicturePath(const QString& path)
{
    if (path.contains(u'"') || path.contains(u'\r') || path.contains(u'\n'))
        return false;
    return fitsCodePage(path);
}

std::optional<BackImgRecord> backgroundToStore(int backNo, const QString& backText,
                                               bool pictureShown, quint32 windowColour,
                                               const BackImgRecord& saved)
{
    if (!pictureShown) {
        const BackImgRecord colour{Background::Colour, colourText(windowColour)};
        if (colour == saved)
            return std::nullopt;
        return colour;
    }
    if (backNo == Background::OwnFile) {
        const BackImgRecord own{backNo, backText};
        if (own == saved)
            return std::nullopt;
        return own;
    }
    if (backNo == saved.number)
        return std::nullopt;
    return BackImgRecord{backNo, Background::StoredBuiltinText};
}

QString pictureErrorTitle(const QString& file)
{
    return QStringLiteral("画像ファイル(") + file + QStringLiteral(") 読み込みエラー");
}

QString missingOwnPictureText()
{
    return QStringLiteral("登録されている画像ファイルが、見当たりません。\n\n　　標準画像ファイルを"
                          "設定して実行します。");
}

QString unreadableOwnPictureText()
{
    return QStringLiteral("登録されている画像ファイルを、読み込めません。\n\n　　標準画像ファイルを"
                          "設定して実行します。");
}

QString missingPictureText()
{
    return QStringLiteral("画像ファイルが、見当たりません。\n\n　　背景画は変更しません。");
}

QString unreadablePictureText()
{
    return QStringLiteral("画像ファイルを、読み込めません。\n\n　　背景画は変更しません。");
}

QString unstorablePictureNameText()
{
    return QStringLiteral(
        "画像ファイルの名前に、登録できない文字が含まれています。\n\n　　背景画は変更しません。");
}

QString unreadableChoiceText()
{
    return QStringLiteral(
        "画像ファイルを、読み込めません。\n\n　　別の画像ファイルを選択してください。");
}

} // namespace lc
