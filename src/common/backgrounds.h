#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace lc {

// The backgrounds of the main window by number: 0 to 7 and 10 to 33 built-in
// pictures (bmp\image<N>.jpg), 50 a plain colour, 99 a picture file of the user's
// own; any other number shows nothing on the black window.
namespace Background {
constexpr int Standard = 12; // before any choice was stored
constexpr int Fallback = 0;  // in place of a missing own picture file
constexpr int Colour = 50;
constexpr int OwnFile = 99;
constexpr double Enlargement = 1.5; // pictures 13 to 33
inline const QString BuiltinText = QStringLiteral("om");
inline const QString StoredBuiltinText = QStringLiteral("OM");
} // namespace Background

enum class BackgroundKind {
    None,      // no picture, black window
    Stretched, // 0 to 7: over the whole window (0 and 1 with the overlay picture)
    Natural,   // 10 to 12: natural size at a place of its own
    Enlarged,  // 13 to 33: one and a half times the natural size
    Colour,    // 50
    OwnFile,   // 99: over the whole window
};

BackgroundKind backgroundKind(int number);
bool isBuiltinBackground(int number);
// 0 and 1 show the overlay picture Image4 in front of the background.
bool hasOverlay(int number);

// The file of a built-in picture relative to the installation directory.
QString builtinPictureName(int number);

// The whole window in twips, for the stretched kinds.
QRect fullWindowTwips();
// Where a picture of the kinds Natural and Enlarged stands, in twips. At start-up
// the enlarged pictures stand at 4800, 1320; after a thumbnail click at 4800, 1500
// (5700, 1500 for 14 and 26).
enum class Applied { AtStartUp, FromThumbnail };
QPoint picturePositionTwips(int number, Applied applied);
// Natural size in pixels enlarged for the kind Enlarged.
QSize enlargedSize(QSize naturalPx);

// A background colour text: a 0x00BBGGRR value written in decimal. Anything else
// (not a number, negative, beyond 24 bits) has no colour.
std::optional<quint32> parseColourText(const QString& text);
QString colourText(quint32 bgr);

// The background file BackImg: one record of the number and the text.
struct BackImgRecord
{
    int number = Background::Standard;
    QString text = Background::BuiltinText;

    bool operator==(const BackImgRecord&) const = default;
};

// The record in the file, with the text trimmed; nothing when the file is empty
// or its first field is no whole number.
std::optional<BackImgRecord> parseBackImg(const QByteArray& bytes);
QByteArray backImgBytes(const BackImgRecord& record);

// Whether BackImg can hold path and give it back unchanged: every character in
// the code page, and no double quote or line end, which end a quoted field.
bool isStorablePicturePath(const QString& path);

// What "閉じる" stores, given the background on screen and the one stored last;
// nothing when the stored choice already says the same. pictureShown tells
// whether a picture is visible; without one the window's colour is the choice.
std::optional<BackImgRecord> backgroundToStore(int backNo, const QString& backText,
                                               bool pictureShown, quint32 windowColour,
                                               const BackImgRecord& saved);

// Messages about pictures that cannot be shown.
QString pictureErrorTitle(const QString& file);
QString missingOwnPictureText();
QString unreadableOwnPictureText();
QString missingPictureText();
QString unreadablePictureText();
QString unstorablePictureNameText();
// In the picture picker, for a file that cannot be previewed.
QString unreadableChoiceText();

} // namespace lc
