#pragma once

#include <QPointF>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRubberBand;
class QSlider;

namespace lc {

struct AppContext;
struct ClockPrefs;
class AnalogClock;
class Panel3D;
class PictureBox;

// The preferences window "パラメータ設定": every control acts on the running
// clock at once; "設定登録" stores what the clock holds in clock.pra. The window
// is created once and only hidden when done; every opening runs the load steps.
class ClockPreferencesWindow : public QWidget
{
    Q_OBJECT
public:
    ClockPreferencesWindow(AppContext& context, AnalogClock& clock, ClockPrefs& prefs, QWidget* mainWindow);
    ~ClockPreferencesWindow() override;

    // 0 while the first page is shown, 1 on the second.
    int page() const { return m_page; }
    // The swatch that carries the selection border; 99 when none.
    int selectedSwatch() const { return m_selectedSwatch; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFirstPage();
    void buildSecondPage();

    void Load();
    void placeWindow();
    void refreshModelPicture();
    void placeMiniature(double left, double top, double width, double height);
    void placeMiniatureFromClock();
    double mainWidth() const;
    double mainHeight() const;
    void showPage(int page);
    void chooseSignalFile();

    // Code that sets a control runs its change or click handler, as the user's
    // action would, also where the value stays the same.
    void setSlider(QSlider* slider, int value);
    void setBoxText(QLineEdit* box, const QString& text);
    void setTimeSignalChecked(bool ticked);

    void onSwatchClicked(int index);
    void onWidthPartChanged();
    void onPartWidthChanged();
    void onClockHeightChanged();
    void onClockWidthChanged();
    void onMascotSizeChanged();
    void onResetLabelClicked(int index);
    void onDialTextEdited();
    void onSignalMinuteEdited();
    void onTimeSignalToggled();
    void onChooseSignalFileClicked();
    void onTestSignalClicked();
    void onButtonClicked(int index);
    void onHomeIconClicked();
    void onHomeIconDoubleClicked();
    // The miniature clock dropped at a point of the model (twips).
    void onMiniatureDropped(QPointF at);

    AppContext& m_context;
    AnalogClock& m_clock;
    ClockPrefs& m_prefs;
    QWidget* m_mainWindow;

    int m_selectedSwatch = 99;
    int m_page = 0;
    bool m_loadedOnce = false;

    // The model's size and the miniature's place on it, in twips.
    double m_modelWidth = 0;
    double m_modelHeight = 0;
    double m_miniLeft = 0;
    double m_miniTop = 0;
    double m_miniWidth = 0;
    double m_miniHeight = 0;
    bool m_dragging = false;
    QPointF m_dragStart;

    std::array<QPushButton*, 4> m_buttons{};
    QGroupBox* m_colorFrame = nullptr;
    QGroupBox* m_widthFrame = nullptr;
    QGroupBox* m_timeSignalFrame = nullptr;
    QGroupBox* m_positionFrame = nullptr;

    std::array<QLabel*, 27> m_color{};
    QComboBox* m_colorCombo = nullptr;
    QComboBox* m_widthCombo = nullptr;
    QSlider* m_partWidthSlider = nullptr;
    QLabel* m_partWidthValue = nullptr;

    QCheckBox* m_timeSignalCheck = nullptr;
    QPushButton* m_chooseSignalFileButton = nullptr;
    QPushButton* m_testSignalButton = nullptr;
    QLabel* m_signalTextBefore = nullptr;
    QLineEdit* m_signalMinuteBox = nullptr;
    QLabel* m_signalTextAfter = nullptr;

    Panel3D* m_menuModel = nullptr;
    PictureBox* m_homeIcon = nullptr;
    PictureBox* m_miniClock = nullptr;
    QRubberBand* m_dragOutline = nullptr;
    QSlider* m_heightSlider = nullptr;
    QSlider* m_widthSlider = nullptr;
    QSlider* m_mascotSlider = nullptr;
    QLabel* m_heightValue = nullptr;
    QLabel* m_widthValue = nullptr;
    QLabel* m_mascotValue = nullptr;
    std::array<QLabel*, 4> m_resetLabels{};
    QLineEdit* m_dialTextBox = nullptr;
};

} // namespace lc
