#include "qtmessageboxes.h"

#include "panel3d.h"

#include "common/pathrules.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace lc {

int QtMessageBoxes::show(const MessageRequest& request)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(parent);
    box.setWindowTitle(request.title);
    box.setText(request.text);
    // Lines break where the message breaks them: a box narrower than its widest
    // line wraps it at any character ("られませ" / "ん。"). A line too wide for
    // the screen (a long path) breaks after its separators, so the path shows
    // whole, its end included.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QFontMetrics metrics(label->font());
        const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
        // A QMessageBox grows no wider than this on a screen over 1024 pixels
        // wide; its icon and margins take about 120 of them.
        const int boxLimit =
            screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
        const int cap = std::min(screenWidth * 3 / 4, boxLimit - 120);
        const QString text = paths::wrapAtSeparators(
            request.text, cap - metrics.averageCharWidth(),
            [&metrics](const QString& piece) { return metrics.horizontalAdvance(piece); });
        box.setText(text);
        int widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        label->setMinimumWidth(std::min(widest + metrics.averageCharWidth(), cap));
    }
    switch (request.symbol()) {
    case Msg::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Msg::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Msg::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Msg::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    struct Choice
    {
        QMessageBox::StandardButton button;
        int result;
    };
    QList<Choice> choices;
    switch (request.buttons()) {
    case Msg::OkCancel:
        choices = {{QMessageBox::Ok, Msg::ResultOk}, {QMessageBox::Cancel, Msg::ResultCancel}};
        break;
    case Msg::AbortRetryIgnore:
        choices = {{QMessageBox::Abort, Msg::ResultAbort},
                   {QMessageBox::Retry, Msg::ResultRetry},
                   {QMessageBox::Ignore, Msg::ResultIgnore}};
        break;
    case Msg::YesNoCancel:
        choices = {{QMessageBox::Yes, Msg::ResultYes},
                   {QMessageBox::No, Msg::ResultNo},
                   {QMessageBox::Cancel, Msg::ResultCancel}};
        break;
    case Msg::YesNo:
        choices = {{QMessageBox::Yes, Msg::ResultYes}, {QMessageBox::No, Msg::ResultNo}};
        break;
    case Msg::RetryCancel:
        choices = {{QMessageBox::Retry, Msg::ResultRetry}, {QMessageBox::Cancel, Msg::ResultCancel}};
        break;
    default:
        choices = {{QMessageBox::Ok, Msg::ResultOk}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const int def = std::min<int>(request.defaultButton(), int(choices.size()) - 1);
    box.setDefaultButton(choices.at(def).button);
    // Escape answers Cancel (or No / OK where there is no Cancel), as on the
    // original system.
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& c : choices) {
        if (c.button == clicked)
            return c.result;
    }
    for (const Choice& c : choices) {
        if (c.result == Msg::ResultCancel)
            return c.result;
    }
    return choices.last().result;
}

QString QtDialogs::openFile(const QString& title, const QString& filter, const QString& startDir)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startDir, filter);
}

std::optional<quint32> QtDialogs::pickColor(quint32 initial)
{
    const QColor c = QColorDialog::getColor(colorFromBgr(initial), QApplication::activeWindow());
    if (!c.isValid())
        return std::nullopt;
    return bgrFromColor(c);
}

} // namespace lc
