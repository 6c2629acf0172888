#include "othersystemswindow.h"

#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/fileerror.h"
#include "common/markers.h"
#include "common/messagebox.h"
#include "common/settingsfiles.h"
#include "common/twips.h"
#include "markerwatcher.h"
#include "menushared.h"
#include "platform/platform.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"
#include "widgets/windoworder.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace lc {
namespace {

const QString WindowTitle = QStringLiteral("【 その他 Ｍｅｎｕ 】");
const QString MainMenuCaption = QStringLiteral("MAIN MENU へ");
const QString CancelWaitCaption = QStringLiteral("　待機を中止");
const QString WaitNoticeText = QStringLiteral("ツールの終了を待っています…");

// The tools, by panel index. The captions begin with an ideographic space.
struct Tool
{
    QString program;
    QString caption;
};
const std::array<Tool, 4>& tools()
{
    static const std::array<Tool, 4> table = {{
        {QStringLiteral("trevik21.exe"), QStringLiteral("　統　合")},
        {QStringLiteral("halvex21.exe"), QStringLiteral("　DXF変換(RC→ DXF)")},
        {QStringLiteral("saldun21.exe"), QStringLiteral("　DXF変換(DXF→ RC)")},
        {QStringLiteral("brisko21.exe"), QStringLiteral("　ＲＣ TEXT変換　")},
    }};
    return table;
}

// Colours (0x00BBGGRR).
constexpr quint32 Silver = 0xC0C0C0;
constexpr quint32 Grey = 0x808080;
constexpr quint32 Navy = 0x800000;
constexpr quint32 Purple = 0x800080;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 White = 0xFFFFFF;

// Window placement and the panels' grid (twips).
constexpr int WindowLeft = 5385;
constexpr int WindowTop = 1485;
constexpr int WindowWidth = 4515;
constexpr int WindowHeight = 5175;
constexpr int PanelWidth = 1845;
constexpr int PanelHeight = 375;

// How often the return to the main menu looks for "menu" while a tool runs, where
// no notification of the file system tells it sooner.
constexpr int MenuPollMs = MarkerWatcher::FallbackPollMs;

quint32 normalForeColor(int index)
{
    return index == OtherSystemsWindow::MainMenuPanel ? Purple : Navy;
}

} // namespace

OtherSystemsWindow::OtherSystemsWindow(AppContext& context, MenuShared& shared, QWidget* owner)
    : QWidget(owner, Qt::Window), m_context(context), m_shared(shared)
{
    setObjectName(QStringLiteral("sonotaMenu"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(WindowTitle);
    setFixedSize(twips::size(WindowWidth, WindowHeight));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);

    m_background = new Panel3D(this);
    m_background->setObjectName(QStringLiteral("Panel3D1"));
    m_background->setGeometry(0, 0, width(), height());
    m_background->setBackColor(colorFromBgr(Silver));
    connect(m_background, &Panel3D::mouseMoved, this, &OtherSystemsWindow::onBackgroundHovered);

    m_title = new Panel3D(m_background);
    m_title->setObjectName(QStringLiteral("SSPanel1"));
    m_title->setGeometry(twips::rect(180, 510, 2670, 435));
    m_title->setBevelWidth(2);
    m_title->setGradient(true);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setForeColor(colorFromBgr(Navy));
    m_title->setFont(designFont(Fonts::PGothic, 12, true));
    m_title->setCaption(QStringLiteral("その他のSYSTEM"));

    m_date = new QLabel(m_background);
    m_date->setObjectName(QStringLiteral("label_mh10"));
    m_date->setGeometry(twips::rect(2880, 690, 1455, 255));
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setFont(designFont(Fonts::Gothic, 9));
    setBackgroundColor(m_date, Silver);
    // A label of its own: the pointer over it changes nothing.
    m_date->setMouseTracking(true);
    m_date->setAttribute(Qt::WA_NoMousePropagation);

    auto* rule = new QFrame(m_background);
    rule->setObjectName(QStringLiteral("Shape1"));
    rule->setGeometry(twips::rect(180, 990, 4170, 90));
    setBackgroundColor(rule, Grey);
    // A shape has no pointer events: the pointer over it is over the panel below.
    rule->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int n = 0; n < 2; ++n) {
        auto* backing = new QLabel(m_background);
        backing->setObjectName(QStringLiteral("Label1_%1").arg(n));
        backing->setGeometry(twips::rect(n == 0 ? 180 : 2250, 1110, 2085, 3420));
        setBackgroundColor(backing, Grey);
        backing->setMouseTracking(true);
        backing->installEventFilter(this);
        m_backing[n] = backing;
    }

    const QFont panelFont = designFont(Fonts::Gothic, 9);
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new Panel3D(m_background);
        panel->setObjectName(QStringLiteral("Panel3D2_%1").arg(i));
        const int column = i / 8;
        const int row = i % 8;
        panel->setGeometry(
            twips::rect(column == 0 ? 360 : 2430, 1230 + 405 * row, PanelWidth, PanelHeight));
        panel->setFont(panelFont);
        // A double click starts a tool once, and starts the return only once.
        panel->setDoubleClickIsOneClick(true);
        m_panels[i] = panel;
        showNormalLook(i);
        connect(panel, &Panel3D::mouseMoved, this, [this, i] { onPanelHovered(i); });
        connect(panel, &Panel3D::clicked, this, [this, i] { onPanelClicked(i); });
    }
    m_panels[MainMenuPanel]->setCaption(MainMenuCaption);

    // Shown only while the return to the main menu waits for a tool to end.
    m_waitNotice = new QLabel(m_background);
    m_waitNotice->setObjectName(QStringLiteral("lblWaitNotice"));
    m_waitNotice->setGeometry(twips::rect(180, 4620, 4170, 375));
    m_waitNotice->setAlignment(Qt::AlignCenter);
    m_waitNotice->setFont(panelFont);
    QPalette notice = m_waitNotice->palette();
    notice.setColor(QPalette::WindowText, colorFromBgr(Navy));
    m_waitNotice->setPalette(notice);
    m_waitNotice->setText(WaitNoticeText);
    m_waitNotice->hide();

    m_waitTimer = new QTimer(this);
    m_waitTimer->setObjectName(QStringLiteral("menuPollTimer"));
    m_waitTimer->setInterval(MenuPollMs);
    connect(m_waitTimer, &QTimer::timeout, this, &OtherSystemsWindow::pollForMenu);
    auto* watcher = new MarkerWatcher(m_context.installDir.path(), this);
    connect(watcher, &MarkerWatcher::changed, this, [this] {
        if (isWaitingForMenu())
            pollForMenu();
    });

    startUp();
}

OtherSystemsWindow::~OtherSystemsWindow() = default;

bool OtherSystemsWindow::isWaitingForMenu() const
{
    return m_waitTimer->isActive();
}

void OtherSystemsWindow::startUp()
{
    m_date->setText(m_context.today().toString(QStringLiteral("yyyy/MM/dd")));
    for (int i = 0; i < int(tools().size()); ++i) {
        if (m_context.installDir.exists(tools()[i].program))
            m_panels[i]->setCaption(tools()[i].caption);
    }
    m_highlighted = NoPanel;
    setGeometry(twips::rect(WindowLeft, WindowTop, WindowWidth, WindowHeight));
}

void OtherSystemsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeWindow(true);
    }
}

void OtherSystemsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onActivated();
}

void OtherSystemsWindow::onActivated()
{
    placeWindow(true);
}

void OtherSystemsWindow::placeWindow(bool topmost)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost || !windowHandle())
        setTopmost(this, topmost);
    const QRect wanted = twips::rect(WindowLeft, WindowTop, WindowWidth, WindowHeight);
    if (geometry() != wanted)
        setGeometry(wanted);
}

// ---- Highlighting -------------------------------------------------------------

void OtherSystemsWindow::showNormalLook(int index)
{
    Panel3D* panel = m_panels[index];
    panel->setBevelOuter(Panel3D::Raised);
    panel->setForeColor(colorFromBgr(normalForeColor(index)));
    panel->setBackColor(colorFromBgr(Silver));
}

void OtherSystemsWindow::showHighlight(int index)
{
    Panel3D* panel = m_panels[index];
    panel->setBevelOuter(Panel3D::Inset);
    panel->setForeColor(colorFromBgr(Red));
    panel->setBackColor(colorFromBgr(White));
}

void OtherSystemsWindow::removeHighlight()
{
    if (m_highlighted >= 0 && m_highlighted < PanelCount &&
        !trimBlanks(m_panels[m_highlighted]->caption()).isEmpty())
        showNormalLook(m_highlighted);
}

// The first pointer movement after a tool start makes the window topmost again.
void OtherSystemsWindow::placeAgainAfterToolStart()
{
    if (!m_shared.AppTask[0].isZero()) {
        placeWindow(true);
        m_shared.AppTask[0] = TaskRef{};
    }
}

void OtherSystemsWindow::onPanelHovered(int index)
{
    if (index != m_highlighted) {
        removeHighlight();
        if (!trimBlanks(m_panels[index]->caption()).isEmpty())
            showHighlight(index);
        m_highlighted = index;
    }
    placeAgainAfterToolStart();
}

void OtherSystemsWindow::onBackingHovered(int)
{
    removeHighlight();
    m_highlighted = NoPanel;
}

void OtherSystemsWindow::onBackgroundHovered()
{
    removeHighlight();
    m_highlighted = NoPanel;
    placeAgainAfterToolStart();
}

bool OtherSystemsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        for (int n = 0; n < 2; ++n) {
            if (watched == m_backing[n]) {
                onBackingHovered(n);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Clicks -------------------------------------------------------------------

void OtherSystemsWindow::onPanelClicked(int index)
{
    if (trimBlanks(m_panels[index]->caption()).isEmpty() || m_returning)
        return;
    reclaimMarker();
    if (index == MainMenuPanel && isWaitingForMenu()) {
        // A second click gives up waiting; the window stays open.
        endWaitForMenu();
        return;
    }
    if (index != MainMenuPanel && isWaitingForMenu())
        return;

    placeWindow(false);
    if (index < 14)
        LoadDrivePaths(m_context);
    if (index == MainMenuPanel)
        returnToMainMenu();
    else if (index < int(tools().size()))
        startTool(index);
}

void OtherSystemsWindow::startTool(int index)
{
    const Markers markers(m_context.installDir);
    if (const int err = markers.rename(Marker::Sub, Marker::App); err != FileError::None) {
        report(describeRenameFailure(Marker::Sub, Marker::App, err));
        placeWindow(true);
        return;
    }
    const Tool& tool = tools()[index];
    const StartResult started =
        m_context.platform
            ? m_context.platform->startProgram(m_context.installDir.file(tool.program),
                                               m_context.installDir.path())
            : StartResult{0, FileError::DeviceUnavailable};
    if (started.taskId == 0) {
        // Nothing runs: the window stays open as before, with its "sub".
        QString text = QStringLiteral("「%1」を起動できませんでした。").arg(tool.program);
        if (started.error == FileError::FileNotFound)
            text += QStringLiteral("\nファイルが見つかりません。");
        else if (started.error != FileError::None)
            text += QStringLiteral("\n（エラー %1）").arg(started.error);
        if (const int err = markers.rename(Marker::App, Marker::Sub); err != FileError::None)
            text += u'\n' + describeRenameFailure(Marker::App, Marker::Sub, err);
        report(text);
        placeWindow(true);
        return;
    }
    m_shared.AppTask[0] = TaskRef{started.taskId, {}};
    m_shared.StartedTask = started.taskId;
    m_toolStarted = true;
}

bool OtherSystemsWindow::reclaimMarker()
{
    if (!m_toolStarted || m_returning || isWaitingForMenu())
        return false;
    const Markers markers(m_context.installDir);
    if (markers.exists(Marker::Sub) || markers.exists(Marker::App) || !markers.exists(Marker::Menu))
        return false;
    m_toolStarted = false;
    if (const int err = markers.rename(Marker::Menu, Marker::Sub); err != FileError::None) {
        report(describeRenameFailure(Marker::Menu, Marker::Sub, err));
        return false;
    }
    return true;
}

void OtherSystemsWindow::toolEnded()
{
    m_toolStarted = false;
    const Markers markers(m_context.installDir);
    if (!markers.exists(Marker::App) || markers.exists(Marker::Menu) || markers.exists(Marker::Sub))
        return;
    const QString to = isWaitingForMenu() || m_returning ? Marker::Menu : Marker::Sub;
    if (const int err = markers.rename(Marker::App, to); err != FileError::None)
        report(describeRenameFailure(Marker::App, to, err));
    else if (to == Marker::Menu)
        pollForMenu();
}

void OtherSystemsWindow::returnToMainMenu()
{
    const Markers markers(m_context.installDir);
    if (markers.exists(Marker::Sub)) {
        if (markers.exists(Marker::Menu)) {
            // A stale "sub" beside "menu" would stop the next opening of this window.
            markers.remove(Marker::Sub);
        } else if (const int err = markers.rename(Marker::Sub, Marker::Menu);
                   err != FileError::None) {
            report(describeRenameFailure(Marker::Sub, Marker::Menu, err));
            placeWindow(true);
            return;
        }
    }
    if (markers.exists(Marker::Menu))
        finishReturn();
    else
        beginWaitForMenu();
}

// A tool started from here still runs: its "app" becomes "menu" when it ends.
void OtherSystemsWindow::beginWaitForMenu()
{
    m_panels[MainMenuPanel]->setCaption(CancelWaitCaption);
    m_waitNotice->show();
    setCursor(Qt::BusyCursor);
    m_waitTimer->start();
}

void OtherSystemsWindow::endWaitForMenu()
{
    m_waitTimer->stop();
    m_waitNotice->hide();
    unsetCursor();
    m_panels[MainMenuPanel]->setCaption(MainMenuCaption);
}

void OtherSystemsWindow::pollForMenu()
{
    if (Markers(m_context.installDir).exists(Marker::Menu)) {
        endWaitForMenu();
        finishReturn();
    }
}

void OtherSystemsWindow::finishReturn()
{
    m_returning = true;
    close();
}

void OtherSystemsWindow::giveMarkerBack()
{
    m_returning = true;
    const Markers markers(m_context.installDir);
    if (markers.exists(Marker::Sub)) {
        const int err = markers.exists(Marker::Menu) ? markers.remove(Marker::Sub)
                                                     : markers.rename(Marker::Sub, Marker::Menu);
        if (err != FileError::None)
            report(describeRenameFailure(Marker::Sub, Marker::Menu, err));
    }
}

void OtherSystemsWindow::closeReturningMarker()
{
    endWaitForMenu();
    if (!m_returning)
        giveMarkerBack();
    close();
}

void OtherSystemsWindow::closeEvent(QCloseEvent* event)
{
    endWaitForMenu();
    if (!m_returning && event->spontaneous()) {
        // Closed through the window frame: return to the main menu without
        // waiting, so that the menu does not stay busy behind a closed window.
        // A close by the program itself leaves the markers to its caller.
        giveMarkerBack();
    }
    m_returning = true;
    event->accept();
}

void OtherSystemsWindow::report(const QString& text)
{
    if (m_context.messages)
        m_context.messages->show(text, WindowTitle, Msg::Ok + Msg::Exclamation);
}

} // namespace lc
