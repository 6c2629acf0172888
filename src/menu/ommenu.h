#pragma once

#include <QWidget>

namespace lc {

struct AppContext;

// The main window "Mabora for Windows MAIN MENU".
class OmMenu : public QWidget
{
    Q_OBJECT
public:
    explicit OmMenu(AppContext& context, QWidget* parent = nullptr);

private:
    AppContext& m_context;
};

} // namespace lc
