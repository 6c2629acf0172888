#include "buildingoverviewwindow.h"

#include "overviewfile.h"

#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/diskerror.h"
#include "common/fileerror.h"
#include "common/messagebox.h"
#include "common/twips.h"
#include "widgets/codepageinput.h"
#include "widgets/commandbutton.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"
#include "widgets/windoworder.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace lc {

namespace {

// Colours (0x00BBGGRR).
constexpr quint32 White = 0xFFFFFF;
constexpr quint32 DarkGreen = 0x008000;
constexpr quint32 Grey = 0x808080;
constexpr quint32 LightGrey = 0xC0C0C0;
constexpr quint32 Navy = 0x800000;
constexpr quint32 DarkRed = 0x000080;

// The window is 8010 × 7450 twips with its frame, centred over 12000 × 8580; its
// client area is what the panel needs with the same margin on every side.
constexpr int WindowWidth = 8010;
constexpr int WindowHeight = 7450;
constexpr int ClientWidth = 7890;
constexpr int ClientHeight = 7050;
constexpr int CentreWidth = 12000;
constexpr int CentreHeight = 8580;

struct Box
{
    int left, top, width, height;
};

constexpr Box PanelBox{75, 75, 7740, 6900};
constexpr Box FrameBox{240, 360, 6975, 5780};

struct ValueLabel
{
    Box box;
    quint32 fore, back;
    Qt::Alignment align;
};

constexpr Qt::Alignment Left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment Right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment Centre = Qt::AlignCenter;

// Label1(1..12), in the frame.
constexpr std::array<ValueLabel, 13> Label1Layout = {{
    {{0, 0, 0, 0}, 0, 0, Left},
    {{1215, 390, 645, 210}, DarkRed, White, Left},
    {{4095, 390, 375, 210}, Navy, LightGrey, Left},
    {{4755, 390, 225, 210}, Navy, LightGrey, Left},
    {{5190, 390, 225, 210}, Navy, LightGrey, Left},
    {{1215, 660, 5415, 210}, Navy, White, Left},
    {{1215, 915, 5415, 210}, Navy, LightGrey, Left},
    {{1215, 1170, 2715, 210}, Navy, LightGrey, Left},
    {{2100, 1420, 1830, 210}, Navy, LightGrey, Left},
    {{2100, 1680, 1830, 210}, Navy, LightGrey, Left},
    {{2100, 1935, 915, 210}, Navy, LightGrey, Right},
    {{2100, 2190, 915, 210}, Navy, LightGrey, Right},
    {{1215, 2445, 2715, 210}, Navy, LightGrey, Left},
}};

struct Caption
{
    int index;
    const char16_t* text;
    Box box;
};

constexpr std::array<Caption, 7> LabelMh1 = {{
    {1, u"建物番号", {240, 360, 885, 255}},
    {2, u"名称", {240, 630, 885, 255}},
    {3, u"場所", {240, 885, 885, 255}},
    {4, u"用途", {240, 1140, 885, 255}},
    {5, u"概要", {240, 1395, 885, 255}},
    {6, u"担当者", {240, 2415, 885, 255}},
    {7, u"備考", {240, 3000, 885, 255}},
}};

constexpr std::array<Caption, 5> LabelMh3 = {{
    {1, u"構造", {1140, 1400, 885, 255}},
    {2, u"規模", {1140, 1650, 885, 255}},
    {3, u"建築面積", {1140, 1905, 885, 255}},
    {4, u"延床面積", {1140, 2160, 885, 255}},
    {5, u"", {5220, 1390, 1455, 255}}, // today's date
}};

constexpr std::array<Caption, 6> Label3 = {{
    {0, u"年月日", {3420, 390, 600, 210}},
    {1, u"年", {4485, 390, 225, 210}},
    {2, u"月", {4950, 390, 225, 210}},
    {3, u"日", {5400, 390, 225, 210}},
    {4, u"㎡", {3015, 1935, 240, 210}},
    {5, u"㎡", {3015, 2190, 240, 210}},
}};

constexpr std::array<Caption, 10> LabelMh2 = {{
    {0, u"", {1140, 360, 4545, 255}},
    {2, u"", {1140, 630, 5550, 255}},
    {3, u"", {1140, 885, 5550, 255}},
    {4, u"", {1140, 1140, 2865, 255}},
    {9, u"", {1140, 2415, 2865, 255}},
    {10, u"", {1140, 3000, 5550, 2445}},
    {5, u"", {2025, 1390, 1980, 255}},
    {6, u"", {2025, 1650, 1980, 255}},
    {7, u"", {2025, 1905, 1980, 255}},
    {8, u"", {2025, 2160, 1980, 255}},
}};

constexpr int RemarkLeft = 1215;
constexpr int RemarkTop = 3030;
constexpr int RemarkPitch = 240;
constexpr int RemarkWidth = 5400;
constexpr int RemarkHeight = 210;

constexpr int FieldCount = 12;
constexpr int RemarkCount = 10;

// Maximum length of Text2 over fields 5..9 and 12.
int textLimit(int field)
{
    switch (field) {
    case 5:
    case 6:
        return 60;
    case 7:
    case 12:
        return 30;
    default:
        return 20;
    }
}

constexpr qint16 KeyBackspace = 8;
constexpr qint16 KeyLeft = 37;

QRect rectOf(const Box& b)
{
    return twips::rect(b.left, b.top, b.width, b.height);
}

QString name(const char* base, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1StringView(base)).arg(index);
}

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text,
                  const QRect& geometry, quint32 fore, quint32 back, Qt::Alignment align)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setGeometry(geometry);
    label->setAlignment(align);
    label->setFont(designFont(Fonts::Gothic, 9));
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colorFromBgr(back));
    pal.setColor(QPalette::WindowText, colorFromBgr(fore));
    label->setPalette(pal);
    return label;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n % 100, 2, 10, QChar(u'0'));
}

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

} // namespace

BuildingOverviewWindow::BuildingOverviewWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_context(context)
{
    setObjectName(QStringLiteral("omgaiyou"));
    setWindowTitle(QStringLiteral("[建物概要]"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(designFont(Fonts::Gothic, 9));
    buildWidgets();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &BuildingOverviewWindow::focusWindowChanged);
    placeAndDate();
}

BuildingOverviewWindow::~BuildingOverviewWindow() = default;

void BuildingOverviewWindow::buildWidgets()
{
    setFixedSize(twips::size(ClientWidth, ClientHeight));
    setBackgroundColor(this, LightGrey);

    m_panel = new Panel3D(this);
    m_panel->setObjectName(QStringLiteral("SSPanel1"));
    m_panel->setBackColor(colorFromBgr(LightGrey));
    m_panel->setGeometry(rectOf(PanelBox));

    m_frame = new Panel3D(m_panel);
    m_frame->setObjectName(QStringLiteral("Frame3D1"));
    m_frame->setBackColor(colorFromBgr(LightGrey));
    m_frame->setBevelOuter(Panel3D::Inset);
    m_frame->setBevelInner(Panel3D::Raised);
    m_frame->setGeometry(rectOf(FrameBox));

    // Backing boxes first, so that the values lie in front of them.
    for (const Caption& c : LabelMh2)
        makeLabel(m_frame, name("Label_mh2", c.index), {}, rectOf(c.box), Navy, LightGrey, Left);
    for (const Caption& c : LabelMh1)
        makeLabel(m_frame, name("Label_mh1", c.index), QString::fromUtf16(c.text), rectOf(c.box),
                  White, DarkGreen, Centre);
    for (const Caption& c : LabelMh3)
        m_headingLabels[c.index] =
            makeLabel(m_frame, name("Label_mh3", c.index), QString::fromUtf16(c.text),
                      rectOf(c.box), White, Grey, Centre);
    for (const Caption& c : Label3)
        makeLabel(m_frame, name("Label3", c.index), QString::fromUtf16(c.text), rectOf(c.box),
                  White, Grey, Centre);

    for (int i = 1; i <= FieldCount; ++i) {
        const ValueLabel& v = Label1Layout.at(i);
        m_fieldLabels[i] =
            makeLabel(m_frame, name("Label1", i), {}, rectOf(v.box), v.fore, v.back, v.align);
        m_fieldLabels[i]->installEventFilter(this);
    }
    for (int j = 1; j <= RemarkCount; ++j) {
        m_remarkLabels[j] = makeLabel(
            m_frame, name("Label2", j), {},
            twips::rect(RemarkLeft, RemarkTop + RemarkPitch * (j - 1), RemarkWidth, RemarkHeight),
            Navy, White, Left);
        m_remarkLabels[j]->installEventFilter(this);
    }

    auto* heading = makeLabel(this, name("Label10", 0), QStringLiteral("[建物概要]"),
                              twips::rect(480, 105, 1000, 210), White, DarkGreen, Centre);
    heading->raise();
    auto* note = makeLabel(m_panel, name("Label10", 1), QStringLiteral("記録=OK[on]時"),
                           twips::rect(4305, 6420, 1350, 225), 0x000000, LightGrey, Left);
    note->setAutoFillBackground(false);

    const std::array<QString, 2> buttonCaptions = {QStringLiteral("ｏｋ"), QStringLiteral("削除")};
    const std::array<QRect, 2> buttonRects = {twips::rect(5685, 6360, 975, 330),
                                              twips::rect(6645, 6360, 570, 330)};
    for (int k = 0; k < 2; ++k) {
        auto* button = new CommandButton(m_panel);
        button->setObjectName(name("Command3D1", k));
        button->setText(buttonCaptions.at(k));
        button->setGeometry(buttonRects.at(k));
        button->setFont(designFont(Fonts::Gothic, 9));
        connect(button, &CommandButton::clicked, this, [this, k] { onButtonClicked(k); });
        m_buttons[k] = button;
    }

    auto makeBox = [this](const char* objectName, int maxLength, bool numeric) {
        auto* box = new QLineEdit(m_panel);
        box->setObjectName(QLatin1StringView(objectName));
        box->setFrame(false);
        box->setMaxLength(maxLength);
        box->setFont(designFont(Fonts::Gothic, 9));
        box->setTextMargins(0, 0, 0, 0);
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, colorFromBgr(White));
        pal.setColor(QPalette::Text, colorFromBgr(Navy));
        box->setPalette(pal);
        keepToCodePage(box);
        if (numeric) {
            // Numeric boxes take only what the key filter lets through: no input
            // method, no pasting or dropping.
            box->setAttribute(Qt::WA_InputMethodEnabled, false);
            box->setContextMenuPolicy(Qt::NoContextMenu);
            box->setAcceptDrops(false);
        }
        box->hide();
        box->installEventFilter(this);
        return box;
    };
    m_numberBox = makeBox("Text1", 7, true);
    m_textBox = makeBox("Text2", 60, false);
    m_areaBox = makeBox("Text3", 10, true);
    m_areaBox->setAlignment(Qt::AlignRight);
    m_remarkBox = makeBox("Text4", 60, false);

    // Takes the focus while the boxes move, out of sight.
    m_focusParking = new QLineEdit(this);
    m_focusParking->setObjectName(QStringLiteral("Text5"));
    m_focusParking->setGeometry(-200, -200, 20, 10);
    m_focusParking->setFocusPolicy(Qt::NoFocus);
    m_focusParking->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_focusParking->installEventFilter(this);
}

void BuildingOverviewWindow::placeAndDate()
{
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    const QPoint centred =
        origin + twips::point((CentreWidth - WindowWidth) / 2, (CentreHeight - WindowHeight) / 2);
    move(centred);

    m_headingLabels[5]->setText(dateWithWeekday(m_context.today()));
    if (leadingNumber(m_fieldLabels[2]->text()) == 0.0) {
        const QDate today = m_context.today();
        m_fieldLabels[2]->setText(QStringLiteral("%1").arg(today.year(), 4, 10, QChar(u'0')));
        m_fieldLabels[3]->setText(twoDigits(today.month()));
        m_fieldLabels[4]->setText(twoDigits(today.day()));
    }
    m_remarkLine = 0;

    show();
    setTopmost(this, true);
    move(centred);
    // Shown, the window becomes the active one: that reads the file and opens
    // field 1 for editing.
    activateWindow();
}

void BuildingOverviewWindow::setVisible(bool visible)
{
    const bool again = visible && isVisible();
    QWidget::setVisible(visible);
    // Shown again while open (from the main window): it becomes the active window
    // again, which re-reads the file.
    if (again) {
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
    }
}

void BuildingOverviewWindow::onActivated()
{
    gaiyo_get();
    editField(1);
}

QString BuildingOverviewWindow::overviewPath() const
{
    return overviewFilePath(m_context.drivePath[2]);
}

bool BuildingOverviewWindow::retryAfterDiskError(int error, bool saving)
{
    ++m_ownBoxDepth;
    const QString dir = m_context.drivePath[2];
    int answer = DiskErrorMessage(m_context, error, dir);
    // A failed save must never pass unnoticed: where the disk messages have none
    // for this error or drive, say so plainly.
    if (saving && answer != Msg::ResultRetry && (answer == 0 || answer == 3) && m_context.messages)
        m_context.messages->show(QStringLiteral("建物概要を保存できませんでした。\n") +
                                     overviewPath(),
                                 QStringLiteral("[建物概要]"), Msg::Ok | Msg::Exclamation);
    --m_ownBoxDepth;
    return answer == Msg::ResultRetry;
}

void BuildingOverviewWindow::gaiyo_get()
{
    for (;;) {
        const OverviewReadResult result = readOverview(overviewPath());
        if (result.error == FileError::None) {
            for (int n = 1; n <= Overview::FieldCount; ++n) {
                const std::optional<QString>& value = result.values.at(n);
                if (!value)
                    continue;
                QLabel* label = n <= FieldCount ? m_fieldLabels[n] : m_remarkLabels[n - FieldCount];
                label->setText(*value);
            }
            return;
        }
        if (!retryAfterDiskError(result.error, false))
            return;
    }
}

bool BuildingOverviewWindow::gaiyo_put()
{
    OverviewTexts texts;
    for (int n = 1; n <= Overview::FieldCount; ++n)
        texts[n] =
            trimBlanks(n <= FieldCount ? m_fieldLabels[n]->text() : m_remarkLabels[n - FieldCount]->text());
    for (;;) {
        const int error = writeOverview(overviewPath(), texts);
        if (error == FileError::None)
            return true;
        if (!retryAfterDiskError(error, true))
            return false;
    }
}

void BuildingOverviewWindow::hideBoxes()
{
    for (QLineEdit* box : {m_numberBox, m_textBox, m_areaBox, m_remarkBox})
        if (box->isVisible())
            box->hide();
}

void BuildingOverviewWindow::layOver(QLineEdit* box, QLabel* label)
{
    m_focusParking->setFocus(Qt::OtherFocusReason);
    box->setGeometry(QRect(label->mapTo(m_panel, QPoint(0, 0)), label->size()));
    box->show();
    box->raise();
    box->setFocus(Qt::OtherFocusReason);
}

void BuildingOverviewWindow::editField(int index)
{
    hideBoxes();
    m_numberBox->clear();
    m_textBox->clear();
    m_areaBox->clear();
    m_field = qint16(index);

    QLineEdit* box = nullptr;
    if (index >= 1 && index <= 4) {
        box = m_numberBox;
    } else if ((index >= 5 && index <= 9) || index == 12) {
        box = m_textBox;
        box->setMaxLength(textLimit(index));
    } else if (index == 10 || index == 11) {
        box = m_areaBox;
    } else {
        return;
    }
    QLabel* label = m_fieldLabels[index];
    if (!trimBlanks(label->text()).isEmpty())
        box->setText(label->text());
    layOver(box, label);
}

void BuildingOverviewWindow::editRemarkLine(int line)
{
    if (line < 1 || line > RemarkCount)
        return;
    for (QLineEdit* box : {m_numberBox, m_textBox, m_areaBox})
        if (box->isVisible())
            box->hide();
    m_remarkBox->clear();
    m_remarkLine = qint16(line);
    QLabel* label = m_remarkLabels[line];
    if (!trimBlanks(label->text()).isEmpty())
        m_remarkBox->setText(label->text());
    layOver(m_remarkBox, label);
}

void BuildingOverviewWindow::onButtonClicked(int index)
{
    if (index == 0) {
        QWidget* editing = focusWidget();
        m_focusParking->setFocus(Qt::OtherFocusReason);
        if (gaiyo_put()) {
            close();
            return;
        }
        // Not saved: the window stays as it was, editing where it stood.
        if (editing && editing != m_focusParking && editing->isVisible())
            editing->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (int i = 1; i <= FieldCount; ++i)
        m_fieldLabels[i]->clear();
    for (int j = 1; j <= RemarkCount; ++j)
        m_remarkLabels[j]->clear();
    for (QLineEdit* box : {m_numberBox, m_textBox, m_areaBox, m_remarkBox, m_focusParking})
        box->clear();
    const QDate today = m_context.today();
    m_fieldLabels[2]->setText(twoDigits(today.year()));
    m_fieldLabels[3]->setText(twoDigits(today.month()));
    m_fieldLabels[4]->setText(twoDigits(today.day()));
    editField(1);
}

// ---- Numeric boxes Text1 and Text3 ------------------------------------------------

void BuildingOverviewWindow::numericGotFocus(QLineEdit* box)
{
    NumEditState& state = numEditState();
    if (box == m_numberBox)
        state.intDigits = m_field == 1 ? 7 : m_field == 2 ? 4 : 2;
    else
        state.intDigits = 6;
    state.decDigits = box == m_areaBox ? 3 : 0;
    state.signAllowance = 0;
    state.focusText = box->text();
    state.firstKey = QStringLiteral("1");
    state.key = 0;
    state.text.clear();
    box->end(false);
}

void BuildingOverviewWindow::applyFilter(QLineEdit* box, qint16 key)
{
    NumEditState& state = numEditState();
    state.key = key;
    state.text = box->text();
    NumKeyFilter();
    box->setText(state.text);
    box->end(false);
    state.key = 0;
    state.text.clear();
}

bool BuildingOverviewWindow::numericKey(QLineEdit* box, QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Left && !(mods & Qt::ShiftModifier)) {
        applyFilter(box, KeyLeft);
        return true;
    }
    // Pasting, cutting and undoing would bypass the filter; copying is harmless.
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))
        return true;
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return !(event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll));
    if (isEnter(event)) {
        QLabel* label = m_fieldLabels[m_field];
        if (box == m_areaBox)
            label->setText(formatArea(box->text(), AreaFormat::ForcedDigit));
        else
            label->setText(box->text());
        box->clear();
        editField(m_field + 1);
        return true;
    }

    QChar key;
    if (event->key() == Qt::Key_Backspace)
        key = QChar(KeyBackspace);
    else if (!event->text().isEmpty() && event->key() != Qt::Key_Tab &&
             event->key() != Qt::Key_Backtab)
        key = event->text().at(0);
    else
        return false; // keys without a character keep the box's own behaviour

    key = KanaKeyToAscii(key);
    if (box == m_numberBox && m_field == 1 && (key == u'/' || key == u'-')) {
        const qsizetype length = box->text().size();
        if (length >= 1 && length <= 4) {
            box->end(false);
            box->insert(QString(key));
            // The separator continues the number being typed: the next digit
            // appends to it instead of starting the number afresh.
            numEditState().firstKey.clear();
            return true;
        }
    }
    if (key.unicode() == KeyBackspace || key == u'-' || key == u'.' || (key >= u'0' && key <= u'9'))
        applyFilter(box, qint16(key.unicode()));
    return true;
}

// ---- Text boxes Text2 and Text4 ---------------------------------------------------

bool BuildingOverviewWindow::textKey(QLineEdit* box, QKeyEvent* event)
{
    if (event->key() == Qt::Key_Home) {
        box->clear();
        return true;
    }
    if (!isEnter(event))
        return false;
    const QString text = trimTrailingBlanks(box->text());
    box->clear();
    if (box == m_textBox) {
        m_fieldLabels[m_field]->setText(text);
        if (m_field + 1 > FieldCount) {
            m_textBox->hide();
            editRemarkLine(1);
        } else {
            editField(m_field + 1);
        }
    } else {
        m_remarkLabels[m_remarkLine]->setText(text);
        if (m_remarkLine + 1 > RemarkCount) {
            m_remarkBox->hide();
            editField(1);
        } else {
            editRemarkLine(m_remarkLine + 1);
        }
    }
    return true;
}

// ---- Events -----------------------------------------------------------------------

bool BuildingOverviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    const bool numeric = box && (box == m_numberBox || box == m_areaBox);
    const bool text = box && (box == m_textBox || box == m_remarkBox);

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (numeric)
            return numericKey(box, key);
        if (text)
            return textKey(box, key);
        if (box == m_focusParking)
            return true; // nothing is typed into the hidden box
        break;
    }
    case QEvent::FocusIn: {
        if (!numeric)
            break;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) &&
            m_savedNumState && m_savedNumBox == box) {
            // Back from another window: go on where the typing stood.
            numEditState() = *m_savedNumState;
        } else {
            numericGotFocus(box);
        }
        m_savedNumState.reset();
        m_savedNumBox = nullptr;
        break;
    }
    case QEvent::FocusOut: {
        if (!numeric)
            break;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
            m_savedNumState = numEditState();
            m_savedNumBox = box;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // The middle button would paste the selection past the key filter.
        if (numeric && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (numeric && mouse->button() == Qt::MiddleButton)
            return true;
        auto* label = qobject_cast<QLabel*>(watched);
        if (!label || mouse->button() != Qt::LeftButton ||
            !label->rect().contains(mouse->position().toPoint()))
            break;
        for (int i = 1; i <= FieldCount; ++i)
            if (label == m_fieldLabels[i]) {
                editField(i);
                return true;
            }
        for (int j = 1; j <= RemarkCount; ++j)
            if (label == m_remarkLabels[j]) {
                editRemarkLine(j);
                return true;
            }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool BuildingOverviewWindow::isOwnWindow(QWindow* window) const
{
    const QWindow* mine = windowHandle();
    for (const QWindow* w = window ? window->transientParent() : nullptr; w;
         w = w->transientParent())
        if (w == mine)
            return true;
    for (const QPointer<QWindow>& own : m_ownBoxWindows)
        if (own == window)
            return true;
    return false;
}

void BuildingOverviewWindow::focusWindowChanged(QWindow* window)
{
    if (!window)
        return; // the program lost the focus to another one
    m_ownBoxWindows.removeAll(nullptr);
    if (window != windowHandle()) {
        if (m_ownBoxDepth > 0 && !m_ownBoxWindows.contains(window))
            m_ownBoxWindows.append(window);
        m_lastFocusWindow = window;
        return;
    }
    QWindow* before = m_lastFocusWindow;
    m_lastFocusWindow = window;
    const bool fromElsewhere = before && before != window && !isOwnWindow(before);
    if (m_firstActivation || fromElsewhere) {
        m_firstActivation = false;
        onActivated();
    }
}

} // namespace lc
