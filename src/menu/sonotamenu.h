#pragma once

#include <QWidget>

namespace lc {

struct AppContext;
struct MenuShared;

// The other-systems menu "【 その他 Ｍｅｎｕ 】" with the four tools.
class SonotaMenu : public QWidget
{
    Q_OBJECT
public:
    // owner: the main window when opened from the panel, nullptr from the icon.
    SonotaMenu(AppContext& context, MenuShared& shared, QWidget* owner);

private:
    AppContext& m_context;
    MenuShared& m_shared;
};

} // namespace lc
