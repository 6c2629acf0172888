#pragma once

// What the parts of the environment settings window share: its titles, the
// colours of its path boxes and the overview files of the import kinds.

#include "overview/overviewfile.h"
#include "widgets/panel3d.h"

#include <QLineEdit>
#include <QPalette>
#include <QString>

#include <array>

namespace lc::settingswindow {

inline const QString WindowTitle = QStringLiteral("環境設定");
// A folder whose path the working paths cannot hold is not taken.
inline const QString PickRefusal = QStringLiteral("このフォルダは指定できません。");

constexpr quint32 ActiveBoxColor = 0xC0FFFF; // light yellow
constexpr quint32 BoxColor = 0xFFFFFF;

// The overview files of the import directory, by option button.
inline const std::array<QString, 4> ImportFiles = {
    Overview::FrameFileName, Overview::DesignFileName, Overview::FittingsFileName,
    Overview::EstimateFileName};

inline void setBoxColor(QLineEdit* box, quint32 bgr)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colorFromBgr(bgr));
    box->setPalette(pal);
}

} // namespace lc::settingswindow
