#include "mainmenuwindow.h"
#include "mainmenuwindow_p.h"

#include "apphnd.h"
#include "clock/analogclock.h"
#include "common/appcontext.h"
#include "common/markers.h"
#include "common/messagebox.h"
#include "common/settingsfiles.h"
#include "common/twips.h"
#include "menupictures.h"
#include "othersystemswindow.h"
#include "overview/buildingoverviewwindow.h"
#include "prefs/clockpreferenceswindow.h"
#include "prefs/clockprefsio.h"
#include "project/environmentsettingswindow.h"
#include "taskwatch.h"
#include "widgets/builtinimages.h"
#include "widgets/commandbutton.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QThread>
#include <QWindow>

using namespace lc::mainmenu;

namespace lc {

namespace {

const QString Title = QStringLiteral("Mabora for Windows MAIN MENU");
const QString TitleCaption = QStringLiteral("    ＭＡＩＮ ＭＥＮＵ");
const QString ExitCaption = QStringLiteral("                終了");
const QString OtherSystemsCaption = QStringLiteral("その他のSystem ");
// Panel 6 opens the environment settings; it carries a caption so that it can be
// chosen at all (its icon stays hidden).
const QString SettingsCaption = QStringLiteral("環境設定 ");

const QStringList ToolFiles = {QStringLiteral("trevik21.exe"), QStringLiteral("halvex21.exe"),
                               QStringLiteral("saldun21.exe"), QStringLiteral("brisko21.exe")};

constexpr quint32 NormalCaptionColor = 0x800000;      // navy
constexpr quint32 HighlightedCaptionColor = 0x800080; // purple
constexpr quint32 PanelFaceColor = 0xC0C0C0;

constexpr double PanelLeft = 330;
constexpr double PanelTop = 1500;
constexpr double PanelPitch = 690;
constexpr double PanelWidth = 4185;
constexpr double PanelHeight = 555;
constexpr double BarLeft = 840;
constexpr double BarRestWidth = 3660;
constexpr double BarHeight = 105;
constexpr double BarStart = 780;
constexpr double BarFull = 4500;
constexpr double BarStep = 46.5;

double panelTop(int k)
{
    return PanelTop + PanelPitch * k;
}

void setLeft(QWidget* w, double leftTwips)
{
    w->move(twips::toPx(leftTwips), w->y());
}

void setWidthTwips(QWidget* w, double widthTwips)
{
    w->resize(twips::toPx(widthTwips), w->height());
}

} // namespace

const std::array<MainMenuWindow::Slot, 5> MainMenuWindow::ProgramSlots = {{
    {QStringLiteral("korvan21.exe"), QStringLiteral("korvan21.exe"),
     QStringLiteral(" ＫＯＲＶＡＮSystem ")},
    {QStringLiteral("Mirelda.exe"), QStringLiteral("Mirelda.exe"),
     QStringLiteral("ＭＩＲＥＬＤＡSystem ")},
    {QStringLiteral("Tasparin.exe"), QStringLiteral("Tasparin.exe"),
     QStringLiteral("ＴＡＳＰＡＲＩＮSystem ")},
    // Slot 3 is looked for as pevrin21.exe and started as Pevrin21.exe.
    {QStringLiteral("pevrin21.exe"), QStringLiteral("Pevrin21.exe"),
     QStringLiteral("ＰＥＶＲＩＮSystem ")},
    {QStringLiteral("zandor21.exe"), QStringLiteral("zandor21.exe"),
     QStringLiteral("ＺＡＮＤＯＲSystem ")},
}};

MainMenuWindow::MainMenuWindow(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_watcher(context.installDir.path(), this),
      m_appHndAppears(m_watcher), m_appHndGone(m_watcher)
{
    setObjectName(QStringLiteral("om_menu"));
    setWindowTitle(Title);
    setMouseTracking(true);
    setFixedSize(twips::size(11880, 8070));
    createControls();
    connect(&m_appHndAppears, &MarkerCheck::timeout, this, &MainMenuWindow::lookForAppHnd);
    connect(&m_appHndGone, &MarkerCheck::timeout, this, &MainMenuWindow::lookForAppHndGone);
    m_taskWatch.setObjectName(QStringLiteral("taskWatch"));
    m_taskWatch.setInterval(TaskWatchMs);
    connect(&m_taskWatch, &QTimer::timeout, this, &MainMenuWindow::watchStartedTask);
}

MainMenuWindow::~MainMenuWindow() = default;

void MainMenuWindow::createControls()
{
    const QFont gothic = designFont(Fonts::Gothic, 12);
    const QFont pgothic = designFont(Fonts::PGothic, 12);

    // Pictures lie below every other control: the background first.
    m_background = new PictureBox(this);
    m_background->setObjectName(QStringLiteral("Image3"));
    m_background->setGeometry(twips::rect(-30, 0, 11895, 8205));
    m_background->hide();

    m_backgroundOverlay = new PictureBox(this);
    m_backgroundOverlay->setObjectName(QStringLiteral("Image4"));
    m_backgroundOverlay->setGeometry(twips::rect(9600, 1200, 1335, 1650));
    m_backgroundOverlay->setPicture(builtinImage(BuiltinImage::Overlay));
    m_backgroundOverlay->hide();

    m_cornerPicture = new PictureBox(this);
    m_cornerPicture->setObjectName(QStringLiteral("Image2"));
    m_cornerPicture->setGeometry(twips::rect(9840, 7320, 1980, 690));
    m_cornerPicture->setPicture(builtinImage(BuiltinImage::CornerPicture));
    m_cornerPicture->setToolTip(QStringLiteral("右クリックで背景画を選択"));

    const double seasonal[3][4] = {
        {4000, 1100, 2565, 495}, {4500, 1600, 2565, 525}, {5000, 2100, 2520, 495}};
    for (int n = 0; n < 3; ++n) {
        auto* box = new PictureBox(this);
        box->setObjectName(QStringLiteral("Picture1_%1").arg(n + 1));
        box->setGeometry(
            twips::rect(seasonal[n][0], seasonal[n][1], seasonal[n][2], seasonal[n][3]));
        box->setBackColor(Qt::black);
        box->hide();
        m_seasonalPictures[n] = box;
    }

    m_mainTitle = new Panel3D(this);
    m_mainTitle->setObjectName(QStringLiteral("main_title"));
    m_mainTitle->setGeometry(twips::rect(360, 480, 4170, 555));
    m_mainTitle->setFont(designFont(Fonts::PGothic, 16, true));
    m_mainTitle->setForeColor(colorFromBgr(0x800000));
    m_mainTitle->setBackColor(colorFromBgr(PanelFaceColor));
    m_mainTitle->setBevelWidth(2);
    m_mainTitle->setTextIndent(twips::toPx(300));

    m_titleIcon = new PictureBox(m_mainTitle);
    m_titleIcon->setObjectName(QStringLiteral("Image1"));
    m_titleIcon->setGeometry(twips::rect(30, 30, 495, 495));
    m_titleIcon->setPicture(builtinImage(BuiltinImage::TitleIcon));
    m_titleIcon->hide();

    m_dateLabel = new QLabel(this);
    m_dateLabel->setObjectName(QStringLiteral("Label3"));
    m_dateLabel->setFont(gothic);
    QPalette dateColours = m_dateLabel->palette();
    dateColours.setColor(QPalette::WindowText, Qt::white);
    m_dateLabel->setPalette(dateColours);
    m_dateLabel->move(twips::point(2880, 1305));
    m_dateLabel->setMouseTracking(true);
    m_dateLabel->installEventFilter(this);

    for (int k = 0; k < SlotCount; ++k) {
        auto* panel = new Panel3D(this);
        panel->setObjectName(QStringLiteral("app_menu_%1").arg(k));
        panel->setGeometry(twips::rect(PanelLeft, panelTop(k), PanelWidth, PanelHeight));
        panel->setFont(k == 6 ? pgothic : gothic);
        panel->setBackColor(colorFromBgr(PanelFaceColor));
        panel->setForeColor(colorFromBgr(NormalCaptionColor));
        panel->setBevelWidth(2);
        panel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        m_slotPanels[k] = panel;

        auto* icon = new PictureBox(panel);
        icon->setObjectName(QStringLiteral("app_img_%1").arg(k));
        icon->setGeometry(twips::rect(30, 30, 495, 495));
        icon->setPicture(builtinImage(BuiltinImage::SlotIcon, k));
        icon->setCursor(Qt::PointingHandCursor);
        icon->hide();
        m_slotIcons[k] = icon;

        auto* bar = new Panel3D(this);
        bar->setObjectName(QStringLiteral("slide_bar1_%1").arg(k));
        bar->setGeometry(twips::rect(BarLeft, panelTop(k) + PanelHeight, BarRestWidth, BarHeight));
        bar->setBackColor(colorFromBgr(0x804000));
        bar->setBevelOuter(Panel3D::Inset);
        m_slotBars[k] = bar;

        connect(panel, &Panel3D::clicked, this, [this, k] { onSlotPanelClicked(k); });
        connect(panel, &Panel3D::mouseMoved, this, [this, k] { onSlotPanelHovered(k); });
        connect(icon, &PictureBox::clicked, this, [this, k] { onSlotIconClicked(k); });
        connect(icon, &PictureBox::mouseMoved, this, [this, k] { onSlotIconHovered(k); });
        connect(bar, &Panel3D::mouseMoved, this, &MainMenuWindow::RestoreMenu);
    }

    m_sideStrip = new Panel3D(this);
    m_sideStrip->setObjectName(QStringLiteral("SSPanel1"));
    m_sideStrip->setGeometry(twips::rect(30, 1500, 285, 5650));
    m_sideStrip->setBackColor(colorFromBgr(0x804000));
    m_sideStrip->setGradient(true);
    m_sideStrip->hide();

    m_overviewButton = new CommandButton(this);
    m_overviewButton->setObjectName(QStringLiteral("SSCommand1"));
    m_overviewButton->setGeometry(twips::rect(840, 6315, 3675, 405));
    m_overviewButton->setToolTip(QStringLiteral("建物概要"));
    m_overviewButton->setEnabled(false);

    m_exitButton = new CommandButton(this);
    m_exitButton->setObjectName(QStringLiteral("SSCommand3"));
    m_exitButton->setGeometry(twips::rect(840, 6750, 3675, 405));
    m_exitButton->setFont(gothic);

    m_clock = new AnalogClock(m_context.platform, this);

    m_pickerPanel = new Panel3D(this);
    m_pickerPanel->setObjectName(QStringLiteral("SSPanel2"));
    m_pickerPanel->setGeometry(twips::rect(4440, 1680, 5295, 5025));
    m_pickerPanel->setBackColor(colorFromBgr(PanelFaceColor));
    m_pickerPanel->setBevelWidth(2);
    m_pickerPanel->hide();

    MenuPictureControls controls;
    controls.window = this;
    controls.cornerPicture = m_cornerPicture;
    controls.background = m_background;
    controls.backgroundOverlay = m_backgroundOverlay;
    controls.seasonalPictures = m_seasonalPictures;
    controls.pickerPanel = m_pickerPanel;
    m_pictures = new MenuPictures(m_context, m_shared, controls, this);

    // The seasonal pictures stand in front of the date and the panels' edges;
    // the picker panel in front of everything.
    for (PictureBox* box : m_seasonalPictures)
        box->raise();
    m_pickerPanel->raise();

    // Pointer movement and clicks on the window's surfaces.
    connect(m_background, &PictureBox::mouseMoved, this, &MainMenuWindow::onBackgroundHovered);
    for (PictureBox* box : m_seasonalPictures)
        connect(box, &PictureBox::mouseMoved, this, &MainMenuWindow::onBackgroundHovered);
    connect(m_cornerPicture, &PictureBox::mouseMoved, this,
            &MainMenuWindow::onCornerPictureHovered);
    connect(m_backgroundOverlay, &PictureBox::mouseMoved, this,
            &MainMenuWindow::onCornerPictureHovered);
    connect(m_titleIcon, &PictureBox::mouseMoved, this, &MainMenuWindow::FrontSubMenu);
    connect(m_mainTitle, &Panel3D::mouseMoved, this, &MainMenuWindow::RestoreMenu);
    connect(m_clock, &AnalogClock::mouseMoved, this, &MainMenuWindow::RestoreMenu);
    connect(m_sideStrip, &Panel3D::mouseMoved, this, &MainMenuWindow::ActivateOnMove);
    connect(m_overviewButton, &CommandButton::mouseMoved, this, &MainMenuWindow::ActivateOnMove);
    connect(m_exitButton, &CommandButton::mouseMoved, this, &MainMenuWindow::ActivateOnMove);

    connect(m_cornerPicture, &PictureBox::clicked, this, &MainMenuWindow::ActivateOnClick);
    connect(m_background, &PictureBox::clicked, this, &MainMenuWindow::ActivateOnClick);
    connect(m_backgroundOverlay, &PictureBox::clicked, this, &MainMenuWindow::ActivateOnClick);
    connect(m_mainTitle, &Panel3D::clicked, this, &MainMenuWindow::ActivateOnClick);
    connect(m_cornerPicture, &PictureBox::pressed, this, &MainMenuWindow::onCornerPicturePressed);

    connect(m_overviewButton, &CommandButton::clicked, this, &MainMenuWindow::onOverviewClicked);
    connect(m_exitButton, &CommandButton::clicked, this, &MainMenuWindow::onExitClicked);
    connect(m_clock, &AnalogClock::clicked, this, &MainMenuWindow::onClockClicked);
}

// ---- Start-up and exit ------------------------------------------------------

void MainMenuWindow::startUp()
{
    // 1. Placement and the start values of the window and the shared state.
    move(0, 0);
    m_launchBusy = 0;
    m_shared.AppTask[0] = TaskRef();
    m_shared.BackImageText = QStringLiteral("om");
    m_shared.SavedImageText = QStringLiteral("om");
    m_shared.BackImageNo = 12;
    m_shared.SavedImageNo = 12;
    m_highlightedSlot = NoSlot;
    setBackgroundColor(this, 0);

    // 2. The date of the day; not updated while the program runs.
    m_dateLabel->setText(m_context.today().toString(QStringLiteral("yyyy/MM/dd")));
    m_dateLabel->adjustSize();

    // 3. Whether any tool of the other-systems menu is installed.
    m_toolsFound = false;
    for (const QString& tool : ToolFiles)
        m_toolsFound = m_toolsFound || m_context.installDir.exists(tool);

    // 4. Park the moving controls off the left edge.
    parkControls();

    // 5. The working paths.
    LoadDrivePaths(m_context);

    // 6. The markers of the launch protocol.
    const int markerError = Markers(m_context.installDir).resetAtStartUp();

    // 7. The clock: defaults, then the stored preferences.
    ReadClockPrefsAtStartUp(m_context, *m_clock, m_clockPrefs);

    // 8. The seasonal pictures of the day.
    m_pictures->seasonalStep();

    // 9, 10. Show the window and slide the controls in. The frames reach the
    // screen only once the window system has exposed the window.
    show();
    waitUntilExposed();
    if (m_exiting)
        return;
    repaint();
    for (double x = -3470; x <= 330; x += 380) {
        slideControls(x);
        pace(16);
    }

    // 11. Emphasis of the title, the left strip, the background control.
    m_mainTitle->setEmphasized(true);
    m_mainTitle->setGradient(true);
    m_sideStrip->show();
    m_background->repaint();

    // 12. The stored background.
    m_pictures->backgroundStep();
    // A logout while its error box (or, above, the window's first showing) was
    // waited for has already run the exit.
    if (m_exiting)
        return;

    // 13-16. Captions of the installed programs.
    m_mainTitle->setCaption(TitleCaption);
    m_mainTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int k = 0; k < int(ProgramSlots.size()); ++k) {
        if (m_context.installDir.exists(ProgramSlots[k].lookFor)) {
            m_slotPanels[k]->setCaption(ProgramSlots[k].caption);
            m_slotIcons[k]->show();
        }
    }
    m_slotIcons[6]->hide();
    m_slotIcons[6]->setEnabled(false);
    m_slotPanels[6]->setCaption(SettingsCaption);
    m_overviewButton->setEnabled(false);
    m_exitButton->setText(ExitCaption);
    m_titleIcon->show();
    if (m_toolsFound) {
        m_slotPanels[5]->setCaption(OtherSystemsCaption);
        m_slotIcons[5]->show();
    }

    // Idle: Timer2 at its load-time interval, Timer1 stopped.
    setTimerInterval(m_appHndAppears, 0);
    setTimerInterval(m_appHndGone, 420);

    // Without "menu" no program can be started: said once, here, rather than at
    // every launch.
    if (markerError != 0 && m_context.messages)
        m_context.messages->show(readOnlyInstallDirText(m_context.installDir.path()),
                                 QStringLiteral("メインメニュー"), Msg::Ok + Msg::Exclamation);
}

void MainMenuWindow::waitUntilExposed()
{
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

void MainMenuWindow::parkControls()
{
    setLeft(m_overviewButton, -2960);
    setLeft(m_exitButton, -2960);
    setLeft(m_mainTitle, -3440);
    for (int k = 0; k < SlotCount; ++k) {
        setLeft(m_slotPanels[k], -3470);
        setLeft(m_slotBars[k], -2960);
    }
    repaint();
}

void MainMenuWindow::slideControls(double x)
{
    for (int k = 0; k < SlotCount; ++k) {
        setLeft(m_slotPanels[k], x);
        setLeft(m_slotBars[k], x + 510);
    }
    setLeft(m_overviewButton, x + 510);
    setLeft(m_exitButton, x + 510);
    setLeft(m_mainTitle, x + 30);
    // One repaint of the window shows the frame at once.
    repaint();
}

void MainMenuWindow::pace(int milliseconds)
{
    if (m_pacing && milliseconds > 0)
        QThread::usleep(static_cast<unsigned long>(milliseconds) * 1000);
}

void MainMenuWindow::onExitClicked()
{
    if (m_launchBusy != 0)
        return;
    runExit();
}

void MainMenuWindow::EndSession()
{
    if (m_exiting) {
        // The request that ran the exit may have come before the event loop
        // could end the program: ask again.
        if (m_ended)
            Q_EMIT endRequested();
        return;
    }
    // A box waiting for an answer (a start-up notice, a disk message) would hold
    // the exit until the user is gone: it is answered as with Escape.
    for (int open = 0; open < 8; ++open) {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box || box == m_settingsWindow)
            break;
        box->reject();
    }
    if (m_otherSystemsWindow)
        m_otherSystemsWindow->closeReturningMarker();
    if (m_settingsWindow)
        m_settingsWindow->reject();
    runExit();
}

void MainMenuWindow::runExit()
{
    if (m_exiting)
        return;
    m_exiting = true;
    setTimerInterval(m_appHndAppears, 0);
    setTimerInterval(m_appHndGone, 0);
    stopTaskWatch();

    m_mainTitle->setCaption(QString());
    m_overviewButton->setText(QString());
    m_exitButton->setText(QString());
    for (int k = 0; k < SlotCount; ++k) {
        m_slotIcons[k]->hide();
        m_slotPanels[k]->setCaption(QString());
    }
    for (PictureBox* box : m_seasonalPictures) {
        if (box->isVisible())
            box->hide();
    }
    m_titleIcon->hide();
    m_sideStrip->hide();
    m_background->hide();
    m_backgroundOverlay->hide();
    m_clock->hide();
    m_pickerPanel->hide();
    setBackgroundColor(this, 0);
    repaint();

    for (double x = 330; x >= -3470; x -= 380) {
        slideControls(x);
        pace(16);
    }

    Markers(m_context.installDir).remove(Marker::AppHndDat);

    repaint();
    m_ended = true;
    close();
    Q_EMIT endRequested();
}

void MainMenuWindow::closeEvent(QCloseEvent* event)
{
    if (m_ended) {
        event->accept();
        return;
    }
    // Closing through the frame ends the launcher as the exit button does; while
    // a program or window started from the menu runs, the exit is not available
    // and that program or window comes to the front instead.
    event->ignore();
    if (m_launchBusy != 0) {
        if (bringOpenWindowForward())
            return;
        // The program has given the marker back (or the menu has taken it back
        // from a program that ended): the menu is idle again.
        if (m_context.installDir.exists(Marker::Menu))
            RestoreMenu();
        if (m_launchBusy != 0) {
            ActivateOnClick();
            return;
        }
    }
    runExit();
}

// ---- Slot bars -------------------------------------------------------------------

void MainMenuWindow::GrowBar(int k, bool repaintEachStep)
{
    Panel3D* bar = m_slotBars[k];
    setWidthTwips(bar, BarStart);
    for (int i = 0; i <= 80; ++i) {
        setWidthTwips(bar, BarStart + BarStep * i);
        if (repaintEachStep) {
            bar->repaint();
            pace(1);
        }
    }
}

void MainMenuWindow::ShrinkBar(int k)
{
    Panel3D* bar = m_slotBars[k];
    for (int i = 80; i >= 0; --i) {
        setWidthTwips(bar, BarStart + BarStep * i);
        bar->repaint();
        pace(1);
    }
    setWidthTwips(bar, BarRestWidth);
}

// ---- Pointer handling -------------------------------------------------------------

void MainMenuWindow::onSlotPanelHovered(int k)
{
    if (m_slotPanels[k]->caption().isEmpty())
        return;
    slotMovementRule(k);
}

void MainMenuWindow::onSlotIconHovered(int k)
{
    slotMovementRule(k);
}

void MainMenuWindow::slotMovementRule(int k)
{
    if (m_highlightedSlot == k || m_launchBusy != 0) {
        if (m_launchBusy == 1 && m_context.installDir.exists(Marker::Menu))
            RestoreMenu();
        else
            ActivateOnMove();
        return;
    }
    HighlightSlot(k);
}

void MainMenuWindow::onBackgroundHovered()
{
    if (m_launchBusy != 0) {
        if (m_launchBusy == 1 && m_context.installDir.exists(Marker::Menu))
            RestoreMenu();
        else
            FrontSubMenu();
        return;
    }
    ClearHighlight();
}

void MainMenuWindow::onCornerPictureHovered()
{
    const bool subMenuCondition = m_launchBusy == 1 && !m_shared.AppTask[0].isZero() &&
                                  m_context.installDir.exists(Marker::Sub);
    if (subMenuCondition)
        FrontSubMenu();
    else
        RestoreMenu();
}

void MainMenuWindow::onCornerPicturePressed(Qt::MouseButton button)
{
    if (button == Qt::RightButton && m_launchBusy == 0)
        m_pictures->openPicker();
}

void MainMenuWindow::HighlightSlot(int k)
{
    if (m_highlightedSlot != NoSlot)
        setSlotLook(m_highlightedSlot, false);
    setSlotLook(k, true);
    m_highlightedSlot = qint16(k);
}

void MainMenuWindow::ClearHighlight()
{
    if (m_highlightedSlot == NoSlot)
        return;
    setSlotLook(m_highlightedSlot, false);
    m_highlightedSlot = NoSlot;
}

void MainMenuWindow::setSlotLook(int k, bool highlighted)
{
    if (k < 0 || k >= SlotCount)
        return;
    m_slotPanels[k]->setEmphasized(highlighted);
    m_slotPanels[k]->setForeColor(
        colorFromBgr(highlighted ? HighlightedCaptionColor : NormalCaptionColor));
}

void MainMenuWindow::mouseMoveEvent(QMouseEvent*)
{
    onBackgroundHovered();
}

void MainMenuWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void MainMenuWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        ActivateOnClick();
}

bool MainMenuWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The date label has no pointer handling of its own.
    if (watched == m_dateLabel &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::MouseButtonRelease))
        return true;
    return QWidget::eventFilter(watched, event);
}

// ---- Buttons and the clock ----------------------------------------------------------

void MainMenuWindow::onOverviewClicked()
{
    if (!m_overviewWindow)
        m_overviewWindow = new BuildingOverviewWindow(m_context, this);
    // Showing the window again makes it active, which re-reads the overview.
    m_overviewWindow->show();
    m_overviewWindow->raise();
}

void MainMenuWindow::onClockClicked()
{
    if (m_launchBusy != 0)
        return;
    if (!m_clockPreferencesWindow)
        m_clockPreferencesWindow =
            new ClockPreferencesWindow(m_context, *m_clock, m_clockPrefs, this);
    m_clockPreferencesWindow->show();
    m_clockPreferencesWindow->raise();
}

} // namespace lc
