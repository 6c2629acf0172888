#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The pictures of the launcher, painted in code: the built-in backgrounds
// (bmp\image<N>.jpg, written by the picture generator at build time and shown as
// thumbnails in the picker panel) and the seasonal bitmaps (event\<name>.bmp).
// Painting is deterministic: the same picture comes out on every build.
namespace lc::art {

// 0 to 7 and 10 to 33.
QList<int> backgroundNumbers();
// The natural size of a background in pixels: 0 to 7 fill the window; 10 to 12
// stand at their places at this size; 13 to 33 are shown one and a half times it.
QSize backgroundSize(int number);
// Null for a number without a built-in picture.
QImage background(int number);

// The seasonal pictures: those of the computed holiday weekends and those of the
// shipped seasonal table. Each fits a seasonal picture box.
QStringList seasonalNames();
QSize seasonalSize();
QImage seasonal(const QString& name);

} // namespace lc::art
