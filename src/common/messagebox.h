#pragma once

#include <QString>

namespace lc {

// Message boxes of the launcher. Buttons, symbols and results carry the values of
// the classic message-box style: style = buttons + symbol + default button.
namespace Msg {
// Buttons.
inline constexpr int Ok = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
// Symbols.
inline constexpr int NoSymbol = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64;
// Default button.
inline constexpr int Default1 = 0, Default2 = 256, Default3 = 512;
// Results: the button pressed.
inline constexpr int ResultOk = 1, ResultCancel = 2, ResultAbort = 3, ResultRetry = 4, ResultIgnore = 5,
                     ResultYes = 6, ResultNo = 7;
} // namespace Msg

struct MessageRequest
{
    QString text;
    QString title;
    int style = Msg::Ok; // buttons + symbol + default button

    int buttons() const { return style & 0x0F; }
    int symbol() const { return style & 0xF0; }
    int defaultButton() const { return (style & 0xF00) >> 8; }
};

// Shows a modal message box and returns the button pressed (Msg::Result).
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    virtual int show(const MessageRequest& request) = 0;

    int show(const QString& text, const QString& title, int style = Msg::Ok)
    {
        return show(MessageRequest{text, title, style});
    }
};

} // namespace lc
