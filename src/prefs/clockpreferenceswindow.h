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
    void chooseJihouFile();

    // Code that sets a control runs its change or click handler, as the user's
    // action would, also where the value stays the same.
    void setSlider(QSlider* slider, int value);
    void setBoxText(QLineEdit* box, const QString& text);
    void setJihouChecked(bool ticked);

    void color_Click(int index);
    void width_Combo_Change();
    void Slider1_Change();
    void Slider2_Change();
    void Slider3_Change();
    void Slider4_Change();
    void Label7_Click(int index);
    void Text1_Change();
    void Text2_Change();
    void jihou_chk_Click();
    void jihoufile_set_Click();
    void jihoufile_test_Click();
    void Command1_Click(int index);
    void Image1_Click();
    void Image1_DblClick();
    // The miniature clock dropped at a point of the model (twips).
    void clock_DragDrop(QPointF at);

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

    std::array<QPushButton*, 4> m_command1{};
    QGroupBox* m_colorFrame = nullptr;
    QGroupBox* m_widthFrame = nullptr;
    QGroupBox* m_jihouFrame = nullptr;
    QGroupBox* m_positionFrame = nullptr;

    std::array<QLabel*, 27> m_color{};
    QComboBox* m_colorCombo = nullptr;
    QComboBox* m_widthCombo = nullptr;
    QSlider* m_slider1 = nullptr;
    QLabel* m_slideV = nullptr;

    QCheckBox* m_jihouChk = nullptr;
    QPushButton* m_jihoufileSet = nullptr;
    QPushButton* m_jihoufileTest = nullptr;
    QLabel* m_label5 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QLabel* m_label6 = nullptr;

    Panel3D* m_menuModel = nullptr;
    PictureBox* m_image1 = nullptr;
    PictureBox* m_miniClock = nullptr;
    QRubberBand* m_dragOutline = nullptr;
    QSlider* m_slider2 = nullptr;
    QSlider* m_slider3 = nullptr;
    QSlider* m_slider4 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    std::array<QLabel*, 4> m_label7{};
    QLineEdit* m_text1 = nullptr;
};

} // namespace lc
