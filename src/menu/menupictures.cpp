#include "menupictures.h"

#include "common/appcontext.h"
#include "menushared.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

namespace lc {

MenuPictures::MenuPictures(AppContext& context, MenuShared& shared, const MenuPictureControls& controls,
                           QObject* parent)
    : QObject(parent), m_context(context), m_shared(shared), m_controls(controls)
{
}

void MenuPictures::seasonalStep() {}

void MenuPictures::backgroundStep()
{
    m_controls.Image3->setVisible(true);
    m_controls.Image3->setStretch(false);
    m_controls.Image3->loadPicture(m_context.installDir.file(QStringLiteral("bmp/image12.jpg")));
}

void MenuPictures::openPicker()
{
    m_controls.SSPanel2->setVisible(true);
}

} // namespace lc
