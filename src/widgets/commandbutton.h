#pragma once

#include <QPushButton>

namespace lc {

// A push button that also reports pointer movement over it.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

Q_SIGNALS:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* e) override;
};

} // namespace lc
