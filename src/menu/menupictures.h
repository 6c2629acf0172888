#pragma once

#include <QObject>

#include <array>

class QWidget;

namespace lc {

struct AppContext;
struct MenuShared;
class PictureBox;
class Panel3D;

// The main window's controls that show the background and seasonal pictures.
struct MenuPictureControls
{
    QWidget* window = nullptr; // the main window (its background colour)
    PictureBox* Image2 = nullptr;
    PictureBox* Image3 = nullptr;
    PictureBox* Image4 = nullptr;
    std::array<PictureBox*, 3> Picture1{}; // Picture1(1..3)
    Panel3D* SSPanel2 = nullptr;            // the picker panel, filled here
};

// Background and seasonal pictures of the main window and its picker panel.
class MenuPictures : public QObject
{
    Q_OBJECT
public:
    MenuPictures(AppContext& context, MenuShared& shared, const MenuPictureControls& controls,
                 QObject* parent = nullptr);

    // Start-up: the seasonal pictures of the day, before the window is shown.
    void seasonalStep();
    // Start-up: the stored background, after the slide-in.
    void backgroundStep();
    // Right button on Image2 while the menu is idle.
    void openPicker();

private:
    AppContext& m_context;
    MenuShared& m_shared;
    MenuPictureControls m_controls;
};

} // namespace lc
