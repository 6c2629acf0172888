#pragma once

#include "common/backgrounds.h"

#include <QObject>
#include <QPixmap>

#include <array>

class QGroupBox;
class QWidget;

namespace lc {

struct AppContext;
struct MenuShared;
class CommandButton;
class PictureBox;
class Panel3D;

// The main window's controls that show the background and seasonal pictures.
struct MenuPictureControls
{
    QWidget* window = nullptr; // the main window (its background colour)
    PictureBox* cornerPicture = nullptr;
    PictureBox* background = nullptr;
    PictureBox* backgroundOverlay = nullptr;
    std::array<PictureBox*, 3> seasonalPictures{}; // Picture1(1..3)
    Panel3D* pickerPanel = nullptr;           // the picker panel, filled here
};

// Background and seasonal pictures of the main window and its picker panel
// SSPanel2: two pages of thumbnails with white and black swatches, "参照" for a
// picture file of the user's own, and "閉じる", which stores the choice in BackImg.
class MenuPictures : public QObject
{
    Q_OBJECT
public:
    static constexpr int ThumbnailCount = 34; // Image5(0..33); 8 and 9 do not exist
    static constexpr int SwatchCount = 4;     // Label2(0..3)

    MenuPictures(AppContext& context, MenuShared& shared, const MenuPictureControls& controls,
                 QObject* parent = nullptr);

    // Start-up: the seasonal pictures of the day, before the window is shown.
    void seasonalStep();
    // Start-up: the stored background, after the slide-in.
    void backgroundStep();
    // Right button on Image2 while the menu is idle.
    void openPicker();

Q_SIGNALS:
    // The picker panel was closed with "閉じる".
    void pickerClosed();

private:
    void createPickerPanel();
    void showPage(int page);

    void onThumbnailClicked(int n);
    void onSwatchClicked(int index);
    void onPickerButtonClicked(int index);
    void onSeasonalPictureClicked(int n);

    // Applies a background at start-up.
    void applyStoredBackground(int number);
    // Shows a picture already read as a background of the given number.
    void showBackground(int number, const QPixmap& picture, Applied applied);
    // Reads a picture for the background; reports a file that cannot be read.
    QPixmap readBackgroundPicture(const QString& path, const QString& unreadableText);
    void chooseOwnPicture();
    void storeChoice();
    void setWindowColour(quint32 bgr);
    QString installFile(const QString& name) const;

    AppContext& m_context;
    MenuShared& m_shared;
    MenuPictureControls m_controls;

    std::array<QGroupBox*, 2> m_pages{};
    std::array<PictureBox*, ThumbnailCount> m_thumbnails{};
    std::array<Panel3D*, SwatchCount> m_swatches{};
    std::array<CommandButton*, 3> m_pickerButtons{};
};

} // namespace lc
