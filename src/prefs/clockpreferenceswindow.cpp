#include "clockpreferenceswindow.h"

#include "clock/analogclock.h"
#include "clockprefs.h"
#include "clockprefsio.h"
#include "clockrules.h"
#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/dialogs.h"
#include "common/messagebox.h"
#include "common/twips.h"
#include "widgets/codepageinput.h"
#include "widgets/fonts.h"
#include "widgets/panel3d.h"
#include "widgets/picturebox.h"
#include "widgets/windoworder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRubberBand>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace lc {

namespace {

// Placement of the window on the screen and its client area.
constexpr double WindowLeft = 3510;
constexpr double WindowTop = 2235;
constexpr double ClientWidth = 7530;
constexpr double ClientHeight = 4200;

// Where the clock goes back to on the model.
constexpr double HomeLeft = 10950;
constexpr double HomeTop = 120;

constexpr int NoSwatch = 99;
constexpr int InitialSizeStep = 4;
constexpr int InitialMascotSize = 7;

constexpr std::array<quint32, 27> SwatchColors = {
    0x0000FF, 0x0000C0, 0x000080, 0x0080FF, 0x0040C0, 0x004080, //
    0x00FFFF, 0x00C0C0, 0x008080, 0x00FF00, 0x00C000, 0x008000, //
    0xFFFF00, 0xC0C000, 0x808000, 0xFF0000, 0xC00000, 0x800000, //
    0xFF00FF, 0xC000C0, 0x800080, 0xE0E0E0, 0x808080, 0x404040, //
    0xFFFFFF, 0xC0C0C0, 0x000000,
};

QRect swatchRect(int index)
{
    if (index < 24) {
        const int row = index / 6;
        const int col = index % 6;
        return twips::rect(240 + 360 * col, 360 + 360 * row, 372, 372);
    }
    return twips::rect(240 + 720 * (index - 24), 1800, 732, 372);
}

// A part of the clock named in the drop-downs, with its colour and width.
struct ClockPart
{
    const char16_t* name;
    void (AnalogClock::*setColor)(quint32);
    qint16 (AnalogClock::*width)() const;
    void (AnalogClock::*setWidth)(qint16);
};

const std::array<ClockPart, 6>& clockParts()
{
    static const std::array<ClockPart, 6> parts = {{
        {u"長針", &AnalogClock::setMinuteHandColor, &AnalogClock::MinuteHandWidth,
         &AnalogClock::setMinuteHandWidth},
        {u"短針", &AnalogClock::setHourHandColor, &AnalogClock::HourHandWidth, &AnalogClock::setHourHandWidth},
        {u"秒針", &AnalogClock::setSecondHandColor, &AnalogClock::SecondHandWidth,
         &AnalogClock::setSecondHandWidth},
        {u"文字盤", &AnalogClock::setDialColor, nullptr, nullptr},
        {u"時計の枠", &AnalogClock::setFrameColor, &AnalogClock::FrameWidth, &AnalogClock::setFrameWidth},
        {u"マスコット", &AnalogClock::setMascotColor, nullptr, nullptr},
    }};
    return parts;
}

const ClockPart* partNamed(const QString& name)
{
    for (const ClockPart& part : clockParts())
        if (name == QStringView(part.name))
            return &part;
    return nullptr;
}

QStringList colorPartNames()
{
    QStringList names;
    for (const ClockPart& part : clockParts())
        names << QString::fromUtf16(part.name);
    return names;
}

QStringList widthPartNames()
{
    QStringList names;
    for (const ClockPart& part : clockParts())
        if (part.width)
            names << QString::fromUtf16(part.name);
    return names;
}

// The small picture of a clock that stands for the clock on the model.
QPixmap miniatureClockPicture()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 58, 58));
    p.translate(32, 32);
    p.setPen(QPen(Qt::black, 2));
    for (int h = 0; h < 12; ++h) {
        p.drawLine(QPointF(0, -24), QPointF(0, -20));
        p.rotate(30);
    }
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(-12, -7)); // ten past ten
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(16, -11));
    p.setPen(QPen(Qt::red, 1.5));
    p.drawLine(QPointF(0, 4), QPointF(0, -22));
    return pm;
}

QLabel* valueLabel(QWidget* parent, const QString& name, const QRect& rect)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setBackgroundColor(label, 0xFFFFFF);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    return label;
}

QSlider* slider(QWidget* parent, const QString& name, const QRect& rect, int min, int max)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(name);
    s->setGeometry(rect);
    s->setRange(min, max);
    s->setSingleStep(1);
    s->setPageStep(5);
    s->setTickPosition(QSlider::TicksBelow);
    s->setTickInterval(max - min > 10 ? 5 : 1);
    return s;
}

QComboBox* dropDown(QWidget* parent, const QString& name, const QRect& rect)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setGeometry(rect);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    return combo;
}

} // namespace

ClockPreferencesWindow::ClockPreferencesWindow(AppContext& context, AnalogClock& clock, ClockPrefs& prefs, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint),
      m_context(context), m_clock(clock), m_prefs(prefs), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("pra_set"));
    setWindowTitle(QStringLiteral("パラメータ設定"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(designFont(Fonts::PGothic, 9));
    setFixedSize(twips::size(ClientWidth, ClientHeight));

    static const char16_t* const captions[4] = {u"設定登録", u"ｷｬﾝｾﾙ", u"初期値", u"次へ ＞"};
    static const int lefts[4] = {120, 1800, 3480, 5880};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf16(captions[i]), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(twips::rect(lefts[i], 3585, 1575, 465));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { onButtonClicked(i); });
        m_buttons[i] = button;
    }

    buildFirstPage();
    buildSecondPage();
    showPage(0);
}

ClockPreferencesWindow::~ClockPreferencesWindow()
{
    // The controls go before the window; none of them may reach a handler, and
    // with it a clock that may already be gone, on the way.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void ClockPreferencesWindow::buildFirstPage()
{
    m_colorFrame = new QGroupBox(QStringLiteral("色の設定"), this);
    m_colorFrame->setObjectName(QStringLiteral("colorFrame"));
    m_colorFrame->setGeometry(twips::rect(50, 50, 4350, 2532));
    for (int i = 0; i < int(m_color.size()); ++i) {
        auto* swatch = new QLabel(m_colorFrame);
        swatch->setObjectName(QStringLiteral("color_%1").arg(i));
        swatch->setGeometry(swatchRect(i));
        setBackgroundColor(swatch, SwatchColors[i]);
        // The selection border contrasts with the swatch.
        const QColor c = colorFromBgr(SwatchColors[i]);
        QPalette pal = swatch->palette();
        const int luminance = (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
        pal.setColor(QPalette::WindowText, luminance < 96 ? Qt::white : Qt::black);
        swatch->setPalette(pal);
        swatch->setProperty("lcIndex", i);
        swatch->installEventFilter(this);
        m_color[i] = swatch;
    }
    m_colorCombo =
        dropDown(m_colorFrame, QStringLiteral("color_Combo"), twips::rect(2520, 360, 1695, 330));

    m_widthFrame = new QGroupBox(QStringLiteral("表示幅の設定"), this);
    m_widthFrame->setObjectName(QStringLiteral("widthFrame"));
    m_widthFrame->setGeometry(twips::rect(50, 2650, 4350, 852));
    m_widthCombo =
        dropDown(m_widthFrame, QStringLiteral("width_Combo"), twips::rect(240, 360, 1650, 330));
    connect(m_widthCombo, &QComboBox::currentTextChanged, this, &ClockPreferencesWindow::onWidthPartChanged);
    m_partWidthSlider =
        slider(m_widthFrame, QStringLiteral("Slider1"), twips::rect(2040, 300, 1440, 450), 1, 10);
    connect(m_partWidthSlider, &QSlider::valueChanged, this, &ClockPreferencesWindow::onPartWidthChanged);
    m_partWidthValue =
        valueLabel(m_widthFrame, QStringLiteral("slide_v"), twips::rect(3600, 360, 555, 330));
    m_partWidthValue->setText(QString::number(m_partWidthSlider->value()));

    m_timeSignalFrame = new QGroupBox(QStringLiteral("時報の設定"), this);
    m_timeSignalFrame->setObjectName(QStringLiteral("jihouFrame"));
    m_timeSignalFrame->setGeometry(twips::rect(4560, 45, 2895, 3460));
    m_timeSignalCheck = new QCheckBox(QStringLiteral("時報を鳴らさない"), m_timeSignalFrame);
    m_timeSignalCheck->setObjectName(QStringLiteral("jihou_chk"));
    m_timeSignalCheck->setGeometry(twips::rect(450, 420, 2300, 330));
    connect(m_timeSignalCheck, &QCheckBox::toggled, this, &ClockPreferencesWindow::onTimeSignalToggled);
    m_chooseSignalFileButton = new QPushButton(QStringLiteral("時報ファイルの設定"), m_timeSignalFrame);
    m_chooseSignalFileButton->setObjectName(QStringLiteral("jihoufile_set"));
    m_chooseSignalFileButton->setGeometry(twips::rect(450, 960, 2055, 615));
    m_chooseSignalFileButton->setAutoDefault(false);
    connect(m_chooseSignalFileButton, &QPushButton::clicked, this, &ClockPreferencesWindow::onChooseSignalFileClicked);
    m_testSignalButton = new QPushButton(QStringLiteral("時報ファイルのテスト"), m_timeSignalFrame);
    m_testSignalButton->setObjectName(QStringLiteral("jihoufile_test"));
    m_testSignalButton->setGeometry(twips::rect(450, 1920, 2055, 615));
    m_testSignalButton->setAutoDefault(false);
    connect(m_testSignalButton, &QPushButton::clicked, this, &ClockPreferencesWindow::onTestSignalClicked);
    // "毎時 [minute] 分に、時報を鳴らす" reads as one sentence.
    m_signalTextBefore = new QLabel(QStringLiteral("毎時"), m_timeSignalFrame);
    m_signalTextBefore->setObjectName(QStringLiteral("Label5"));
    m_signalTextBefore->setGeometry(twips::rect(180, 2940, 480, 300));
    m_signalMinuteBox = new QLineEdit(QStringLiteral("0"), m_timeSignalFrame);
    m_signalMinuteBox->setObjectName(QStringLiteral("Text2"));
    m_signalMinuteBox->setGeometry(twips::rect(660, 2895, 480, 360));
    m_signalMinuteBox->setAlignment(Qt::AlignRight);
    connect(m_signalMinuteBox, &QLineEdit::textChanged, this, &ClockPreferencesWindow::onSignalMinuteEdited);
    m_signalTextAfter = new QLabel(QStringLiteral("分に、時報を鳴らす"), m_timeSignalFrame);
    m_signalTextAfter->setObjectName(QStringLiteral("Label6"));
    m_signalTextAfter->setGeometry(twips::rect(1200, 2940, 1650, 300));
}

void ClockPreferencesWindow::buildSecondPage()
{
    m_positionFrame = new QGroupBox(QStringLiteral("表示位置の設定"), this);
    m_positionFrame->setObjectName(QStringLiteral("positionFrame"));
    m_positionFrame->setGeometry(twips::rect(60, 50, 7410, 3470));

    m_menuModel = new Panel3D(m_positionFrame);
    m_menuModel->setObjectName(QStringLiteral("menu_model"));
    m_menuModel->setBevelOuter(Panel3D::Inset);
    m_modelWidth = ClockRules::ClientWidth / 4;
    m_modelHeight = ClockRules::ClientHeight / 4;
    m_menuModel->setGeometry(twips::rect(240, 360, m_modelWidth, m_modelHeight));
    m_homeIcon = new PictureBox(m_menuModel);
    m_homeIcon->setObjectName(QStringLiteral("Image1"));
    m_homeIcon->setStretch(true);
    m_homeIcon->setGeometry(m_menuModel->rect());
    connect(m_homeIcon, &PictureBox::clicked, this, &ClockPreferencesWindow::onHomeIconClicked);
    connect(m_homeIcon, &PictureBox::doubleClicked, this, &ClockPreferencesWindow::onHomeIconDoubleClicked);
    m_miniClock = new PictureBox(m_menuModel);
    m_miniClock->setObjectName(QStringLiteral("clock"));
    m_miniClock->setStretch(true);
    m_miniClock->setPicture(miniatureClockPicture());
    m_miniClock->setCursor(Qt::OpenHandCursor);
    m_miniClock->installEventFilter(this);
    m_miniClock->raise();
    m_dragOutline = new QRubberBand(QRubberBand::Rectangle, m_menuModel);
    m_dragOutline->hide();

    static const char16_t* const captions[4] = {u"時計の縦幅", u"時計の横幅", u"マスコットのサイズ",
                                                u"文字盤の文字"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf16(captions[i]), m_positionFrame);
        label->setObjectName(QStringLiteral("Label7_%1").arg(i));
        label->setProperty("lcIndex", i);
        label->installEventFilter(this);
        m_resetLabels[i] = label;
    }
    QSlider** sliders[3] = {&m_heightSlider, &m_widthSlider, &m_mascotSlider};
    QLabel** values[3] = {&m_heightValue, &m_widthValue, &m_mascotValue};
    const int maxima[3] = {ClockRules::MaxSizeStep, ClockRules::MaxSizeStep,
                           ClockRules::MaxMascotSize};
    for (int i = 0; i < 3; ++i) {
        const int top = 330 + 780 * i;
        m_resetLabels[i]->setGeometry(twips::rect(3480, top, 2400, 270));
        *values[i] = valueLabel(m_positionFrame, QStringLiteral("Label%1").arg(i + 2),
                                twips::rect(3480, top + 345, 555, 330));
        *sliders[i] = slider(m_positionFrame, QStringLiteral("Slider%1").arg(i + 2),
                             twips::rect(4080, top + 285, 3150, 450), 0, maxima[i]);
    }
    connect(m_heightSlider, &QSlider::valueChanged, this, &ClockPreferencesWindow::onClockHeightChanged);
    connect(m_widthSlider, &QSlider::valueChanged, this, &ClockPreferencesWindow::onClockWidthChanged);
    connect(m_mascotSlider, &QSlider::valueChanged, this, &ClockPreferencesWindow::onMascotSizeChanged);

    m_resetLabels[3]->setGeometry(twips::rect(3480, 2790, 1275, 270));
    m_dialTextBox = new QLineEdit(m_positionFrame);
    m_dialTextBox->setObjectName(QStringLiteral("Text1"));
    m_dialTextBox->setGeometry(twips::rect(4800, 2730, 1620, 360));
    keepToCodePage(m_dialTextBox);
    connect(m_dialTextBox, &QLineEdit::textChanged, this, &ClockPreferencesWindow::onDialTextEdited);
}

// ---- Showing the window -----------------------------------------------------

void ClockPreferencesWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The load steps run at the first opening; later openings find the window as
    // it was left (drop-downs, swatch, page, sliders), with the minute box and
    // the switch box in step with the running clock. A window restored by the
    // window system keeps its state.
    if (event->spontaneous())
        return;
    if (!m_loadedOnce) {
        Load();
        return;
    }
    setBoxText(m_signalMinuteBox, QString::number(m_clock.JihouMinute()));
    setTimeSignalChecked(m_timeSignalCheck->isChecked());
    refreshModelPicture();
    setTopmost(this, true);
    placeWindow();
}

bool ClockPreferencesWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        refreshModelPicture();
    return QWidget::event(event);
}

void ClockPreferencesWindow::Load()
{
    placeWindow();

    m_modelWidth = mainWidth() / 4;
    m_modelHeight = mainHeight() / 4;
    m_menuModel->setGeometry(twips::rect(240, 360, m_modelWidth, m_modelHeight));
    m_menuModel->setCaption(QString());
    m_homeIcon->setGeometry(m_menuModel->rect());
    refreshModelPicture();

    placeMiniatureFromClock();

    setSlider(m_heightSlider, ClockRules::stepForSize(m_clock.Height()));
    setSlider(m_widthSlider, ClockRules::stepForSize(m_clock.Width()));
    setSlider(m_mascotSlider, m_clock.MascotSize());
    m_heightValue->setText(QString::number(m_heightSlider->value()));
    m_widthValue->setText(QString::number(m_widthSlider->value()));
    m_mascotValue->setText(QString::number(m_mascotSlider->value()));

    setBoxText(m_dialTextBox, m_clock.DialText());
    // The minute box shows the minute the clock rings at.
    setBoxText(m_signalMinuteBox, QString::number(m_clock.JihouMinute()));

    // The stored switch decides the box.
    setTimeSignalChecked(m_prefs.timeSignalOff());
    m_loadedOnce = true;

    for (QComboBox* combo : {m_widthCombo, m_colorCombo}) {
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(combo == m_widthCombo ? widthPartNames() : colorPartNames());
        combo->setCurrentIndex(-1);
        combo->clearEditText();
    }
    if (m_selectedSwatch != NoSwatch)
        m_color[m_selectedSwatch]->setFrameStyle(QFrame::NoFrame);
    m_selectedSwatch = NoSwatch;
    showPage(0);

    setTopmost(this, true);
    placeWindow();
}

void ClockPreferencesWindow::placeWindow()
{
    move(twips::point(WindowLeft, WindowTop));
}

double ClockPreferencesWindow::mainWidth() const
{
    if (m_mainWindow && m_mainWindow->width() > 0)
        return twips::fromPx(m_mainWindow->width());
    return ClockRules::ClientWidth;
}

double ClockPreferencesWindow::mainHeight() const
{
    if (m_mainWindow && m_mainWindow->height() > 0)
        return twips::fromPx(m_mainWindow->height());
    return ClockRules::ClientHeight;
}

void ClockPreferencesWindow::refreshModelPicture()
{
    if (!m_mainWindow)
        return;
    // The main window as its background shows it: its colour, and the background
    // picture where one is shown.
    QPixmap picture(m_mainWindow->size());
    if (picture.isNull())
        return;
    picture.fill(colorFromBgr(backgroundColor(m_mainWindow)));
    auto* background = m_mainWindow->findChild<PictureBox*>(QStringLiteral("Image3"));
    if (background && background->isVisibleTo(m_mainWindow) && background->hasPicture()) {
        QPainter p(&picture);
        p.drawPixmap(QRect(background->mapTo(m_mainWindow, QPoint(0, 0)), background->size()),
                     background->grab());
    }
    m_homeIcon->setPicture(picture);
}

void ClockPreferencesWindow::placeMiniature(double left, double top, double width, double height)
{
    m_miniLeft = left;
    m_miniTop = top;
    m_miniWidth = width;
    m_miniHeight = height;
    QRect r = twips::rect(left, top, width, height);
    r.setSize(r.size().expandedTo(QSize(1, 1)));
    m_miniClock->setGeometry(r);
}

void ClockPreferencesWindow::placeMiniatureFromClock()
{
    placeMiniature(m_clock.Left() / 4, m_clock.Top() / 4, m_clock.Width() / 4,
                   m_clock.Height() / 4);
}

void ClockPreferencesWindow::showPage(int page)
{
    m_colorFrame->setVisible(page == 0);
    m_widthFrame->setVisible(page == 0);
    m_timeSignalFrame->setVisible(page == 0);
    m_positionFrame->setVisible(page == 1);
    for (int i = 0; i < 3; ++i)
        m_buttons[i]->setEnabled(page == 0);
    m_buttons[3]->setText(page == 0 ? QStringLiteral("次へ ＞") : QStringLiteral("＜ 戻る"));
    m_page = page;
}

// ---- Setting controls from code ---------------------------------------------

void ClockPreferencesWindow::setSlider(QSlider* s, int value)
{
    {
        const QSignalBlocker block(s);
        s->setValue(value);
    }
    if (s == m_partWidthSlider)
        onPartWidthChanged();
    else if (s == m_heightSlider)
        onClockHeightChanged();
    else if (s == m_widthSlider)
        onClockWidthChanged();
    else if (s == m_mascotSlider)
        onMascotSizeChanged();
}

void ClockPreferencesWindow::setBoxText(QLineEdit* box, const QString& text)
{
    {
        const QSignalBlocker block(box);
        box->setText(text);
    }
    if (box == m_dialTextBox)
        onDialTextEdited();
    else if (box == m_signalMinuteBox)
        onSignalMinuteEdited();
}

void ClockPreferencesWindow::setTimeSignalChecked(bool ticked)
{
    {
        const QSignalBlocker block(m_timeSignalCheck);
        m_timeSignalCheck->setChecked(ticked);
    }
    onTimeSignalToggled();
}

// ---- Handlers ---------------------------------------------------------------

bool ClockPreferencesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_miniClock) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() != Qt::LeftButton)
                break;
            m_dragging = true;
            m_dragStart = me->position();
            m_miniClock->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (!m_dragging)
                break;
            const QPointF at = m_miniClock->mapTo(m_menuModel, me->position());
            if (m_menuModel->rect().contains(at.toPoint())) {
                QRect outline = m_miniClock->rect();
                outline.moveCenter(at.toPoint());
                m_dragOutline->setGeometry(outline);
                m_dragOutline->show();
                m_dragOutline->raise();
                m_miniClock->setCursor(Qt::ClosedHandCursor);
            } else {
                m_dragOutline->hide();
                m_miniClock->setCursor(Qt::ForbiddenCursor);
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() != Qt::LeftButton || !m_dragging)
                break;
            m_dragging = false;
            m_dragOutline->hide();
            m_miniClock->setCursor(Qt::OpenHandCursor);
            const bool moved = (me->position() - m_dragStart).manhattanLength() >=
                               QApplication::startDragDistance();
            const QPointF at = m_miniClock->mapTo(m_menuModel, me->position());
            if (moved && m_menuModel->rect().contains(at.toPoint()))
                onMiniatureDropped(QPointF(twips::fromPx(at.x()), twips::fromPx(at.y())));
            return true;
        }
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }
    // Swatches and captions take the press, so that the release comes back to them.
    if (event->type() == QEvent::MouseButtonPress && qobject_cast<QLabel*>(watched)) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && me->button() == Qt::LeftButton &&
            label->rect().contains(me->position().toPoint())) {
            const int index = label->property("lcIndex").toInt();
            if (label == m_color.at(index))
                onSwatchClicked(index);
            else if (index < int(m_resetLabels.size()) && label == m_resetLabels.at(index))
                onResetLabelClicked(index);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ClockPreferencesWindow::onSwatchClicked(int index)
{
    const QString name = trimBlanks(m_colorCombo->currentText());
    if (name.isEmpty())
        return;
    if (m_selectedSwatch != NoSwatch)
        m_color[m_selectedSwatch]->setFrameStyle(QFrame::NoFrame);
    m_color[index]->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_color[index]->setLineWidth(1);
    // Neighbouring swatches overlap it by a pixel; the border stays whole.
    m_color[index]->raise();
    m_selectedSwatch = index;
    if (const ClockPart* part = partNamed(name))
        (m_clock.*part->setColor)(SwatchColors[index]);
}

void ClockPreferencesWindow::onWidthPartChanged()
{
    const ClockPart* part = partNamed(trimBlanks(m_widthCombo->currentText()));
    if (part && part->width)
        setSlider(m_partWidthSlider, (m_clock.*part->width)());
}

void ClockPreferencesWindow::onPartWidthChanged()
{
    const ClockPart* part = partNamed(trimBlanks(m_widthCombo->currentText()));
    if (part && part->setWidth)
        (m_clock.*part->setWidth)(qint16(m_partWidthSlider->value()));
    m_partWidthValue->setText(QString::number(m_partWidthSlider->value()));
}

void ClockPreferencesWindow::onClockHeightChanged()
{
    m_clock.setHeight(ClockRules::sizeForStep(m_heightSlider->value()));
    m_heightValue->setText(QString::number(m_heightSlider->value()));
    placeMiniature(m_miniLeft, m_miniTop, m_miniWidth, m_clock.Height() / 4);
}

void ClockPreferencesWindow::onClockWidthChanged()
{
    m_clock.setWidth(ClockRules::sizeForStep(m_widthSlider->value()));
    m_widthValue->setText(QString::number(m_widthSlider->value()));
    placeMiniature(m_miniLeft, m_miniTop, m_clock.Width() / 4, m_miniHeight);
}

void ClockPreferencesWindow::onMascotSizeChanged()
{
    m_clock.setMascotSize(qint16(m_mascotSlider->value()));
    m_mascotValue->setText(QString::number(m_mascotSlider->value()));
}

void ClockPreferencesWindow::onResetLabelClicked(int index)
{
    switch (index) {
    case 0:
        setSlider(m_heightSlider, InitialSizeStep);
        break;
    case 1:
        setSlider(m_widthSlider, InitialSizeStep);
        break;
    case 2:
        setSlider(m_mascotSlider, InitialMascotSize);
        break;
    default:
        break;
    }
}

void ClockPreferencesWindow::onDialTextEdited()
{
    m_clock.setDialText(trimTrailingBlanks(m_dialTextBox->text().left(7)));
}

void ClockPreferencesWindow::onSignalMinuteEdited()
{
    const ClockRules::MinuteBox box = ClockRules::minuteBoxRules(m_signalMinuteBox->text());
    if (box.text != m_signalMinuteBox->text()) {
        const QSignalBlocker block(m_signalMinuteBox);
        m_signalMinuteBox->setText(box.text);
    }
    m_clock.setJihouMinute(box.minute);
}

void ClockPreferencesWindow::onTimeSignalToggled()
{
    const bool ticked = m_timeSignalCheck->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_chooseSignalFileButton, m_testSignalButton, m_signalTextBefore,
                                                      m_signalTextAfter, m_signalMinuteBox})
        w->setEnabled(!ticked);
    m_clock.setJihouOn(!ticked);
}

void ClockPreferencesWindow::chooseSignalFile()
{
    // The dialog must not open behind this window.
    setTopmost(this, false);
    placeWindow();
    if (m_context.dialogs) {
        const QFileInfo current(m_clock.JihouFile());
        const QString startDir = current.dir().exists() && !m_clock.JihouFile().isEmpty()
                                     ? current.absolutePath()
                                     : m_context.installDir.path();
        QString name =
            m_context.dialogs->openFile(QStringLiteral("時報ファイルを開く"),
                                        QStringLiteral("Waveﾌｧｲﾙ（*.wav） (*.wav)"), startDir);
        if (!name.isEmpty()) {
            // A name typed without extension means the wave file.
            if (!QFileInfo::exists(name) && QFileInfo(name).suffix().isEmpty())
                name += QStringLiteral(".wav");
            // clock.pra would keep a longer path cut, naming no file.
            const QString stored = QDir::toNativeSeparators(name);
            if (ClockRules::isStorableJihouFile(stored)) {
                m_clock.setJihouFile(name);
            } else if (m_context.messages) {
                m_context.messages->show(
                    stored + QStringLiteral("\n\n時報ファイルのパスが長すぎるか、登録できない文字が含まれています。\n"
                                            "（パスは半角１００文字以内）\n\n　　時報ファイルは変更しません。"),
                    QStringLiteral("時報ファイルのエラー"), Msg::Ok | Msg::Exclamation);
            }
        }
    }
    setTopmost(this, true);
    placeWindow();
}

void ClockPreferencesWindow::onChooseSignalFileClicked()
{
    chooseSignalFile();
}

void ClockPreferencesWindow::onTestSignalClicked()
{
    if (!QFileInfo(m_clock.JihouFile()).isFile()) {
        if (m_context.messages)
            m_context.messages->show(QStringLiteral("時報ファイルが設定されていません！！"),
                                     QStringLiteral("時報ファイルのエラー"), Msg::Ok);
        chooseSignalFile();
    }
    m_clock.PlayJihou();
}

void ClockPreferencesWindow::onButtonClicked(int index)
{
    switch (index) {
    case 0:
        // A failed save keeps the window open after the disk message.
        if (SaveClockPrefs(m_context, m_clock, m_timeSignalCheck->isChecked(), m_prefs) == 0)
            hide();
        break;
    case 1:
        hide();
        break;
    case 2: {
        m_clock.setMinuteHandWidth(2);
        m_clock.setHourHandWidth(3);
        m_clock.setSecondHandWidth(1);
        m_clock.setFrameWidth(1);
        const QString widthName = trimBlanks(m_widthCombo->currentText());
        static const std::pair<const char16_t*, int> initialWidths[] = {
            {u"長針", 2}, {u"短針", 3}, {u"秒針", 1}, {u"時計の枠", 1}};
        for (const auto& [name, width] : initialWidths)
            if (widthName == QStringView(name))
                setSlider(m_partWidthSlider, width);
        m_clock.setMinuteHandColor(0xFFFFFF);
        m_clock.setHourHandColor(0xFFFFFF);
        m_clock.setSecondHandColor(0x0000FF);
        m_clock.setDialColor(0x000000);
        m_clock.setFrameColor(0x000000);
        m_clock.setMascotColor(0xC0C0C0);
        m_clock.setJihouFile(m_context.installDir.file(QStringLiteral("default.wav")));
        setBoxText(m_dialTextBox, QString());
        setBoxText(m_signalMinuteBox, QStringLiteral("0"));
        setSlider(m_heightSlider, InitialSizeStep);
        setSlider(m_widthSlider, InitialSizeStep);
        setSlider(m_mascotSlider, InitialMascotSize);
        m_clock.Move(HomeLeft, HomeTop);
        placeMiniatureFromClock();
        break;
    }
    case 3:
        showPage(m_page == 0 ? 1 : 0);
        break;
    default:
        break;
    }
}

void ClockPreferencesWindow::onHomeIconClicked()
{
    m_clock.Move(HomeLeft, HomeTop);
    placeMiniature(HomeLeft / 4, HomeTop / 4, m_miniWidth, m_miniHeight);
}

void ClockPreferencesWindow::onHomeIconDoubleClicked()
{
    setSlider(m_heightSlider, InitialSizeStep);
    setSlider(m_widthSlider, InitialSizeStep);
    setSlider(m_mascotSlider, InitialMascotSize);
    onHomeIconClicked();
}

void ClockPreferencesWindow::onMiniatureDropped(QPointF at)
{
    placeMiniature(at.x() - m_miniWidth / 2, at.y() - m_miniHeight / 2, m_miniWidth, m_miniHeight);
    const double left = mainWidth() * m_miniLeft / m_modelWidth;
    const double top = mainHeight() * m_miniTop / m_modelHeight;
    // The clock stays whole inside the main window, and the miniature with it.
    const QPointF kept = ClockRules::keptInClient(left, top, m_clock.Width(), m_clock.Height(),
                                                  mainWidth(), mainHeight());
    m_clock.Move(kept.x(), kept.y());
    placeMiniature(kept.x() * m_modelWidth / mainWidth(), kept.y() * m_modelHeight / mainHeight(),
                   m_miniWidth, m_miniHeight);
}

} // namespace lc
