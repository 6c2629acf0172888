#pragma once

#include "markerwatcher.h"
#include "menushared.h"
#include "prefs/clockprefs.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;

namespace lc {

struct AppContext;
class CommandButton;
class EnvironmentSettingsWindow;
class MenuPictures;
class AnalogClock;
class BuildingOverviewWindow;
class Panel3D;
class PictureBox;
class ClockPreferencesWindow;
class OtherSystemsWindow;

// The main window "Mabora for Windows MAIN MENU": seven slot panels that start the
// sibling programs of the suite, the date, the clock and the background. It never
// waits for a program it starts; it follows the programs through the marker files
// of the installation directory.
class MainMenuWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 7;
    static constexpr qint16 NoSlot = 99;

    explicit MainMenuWindow(AppContext& context, QWidget* parent = nullptr);
    ~MainMenuWindow() override;

    // The start-up: places the window, loads the working paths, resets the
    // markers, applies the preferences and pictures, shows the window and slides
    // the panels in.
    void startUp();

    // Animations run inside their handler; paced for the eye unless switched off.
    void setAnimationPacing(bool on) { m_pacing = on; }

    qint16 HighlightedSlot() const { return m_highlightedSlot; }
    qint16 LaunchBusy() const { return m_launchBusy; }
    qint16 SubTaskSeen() const { return m_subTaskSeen; }
    MenuShared& shared() { return m_shared; }
    ClockPrefs& clockPrefs() { return m_clockPrefs; }
    AnalogClock* clock() const { return m_clock; }

    // Pointer rules and actions of the menu (public for the windows it opens).
    void RestoreMenu();
    void ActivateOnMove();
    void ActivateOnClick();
    void FrontSubMenu();

    // The session ends or the launcher is asked to stop: the launcher's own
    // windows give their markers back, then the exit runs, also while a program
    // started from the menu runs (that program gives `app` back itself).
    void EndSession();

    // Looks whether the program started last has ended without giving the
    // marker back; after HandOverGraceLooks such looks in a row the menu takes
    // the marker back itself. Runs every TaskWatchMs while busy.
    void watchStartedTask();
    static constexpr int TaskWatchMs = 500;
    static constexpr int HandOverGraceLooks = 10;

    // Another start of the launcher asked this one to come forward; when it
    // waits for a program that has ended, it offers to stop waiting.
    void AnotherStart();

    // The window system asked to close the menu while a modal window blocks it
    // (the settings window, a message): the menu comes back if minimised, and
    // the modal window to the front, as a close does while the other-systems
    // menu is open.
    void closeRequestedWhileBlocked();

Q_SIGNALS:
    // The launcher is to end (exit button, or a program that replaces it).
    void endRequested();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot
    {
        QString lookFor;  // file whose presence shows the slot
        QString startAs;  // file started
        QString caption;
    };
    static const std::array<Slot, 5> ProgramSlots;

    void createControls();
    void waitUntilExposed();
    void parkControls();
    void slideControls(double x);
    void pace(int milliseconds);

    // Handlers.
    void onSlotPanelClicked(int k);
    void onSlotIconClicked(int k);
    void onSlotPanelHovered(int k);
    void onSlotIconHovered(int k);
    void onBackgroundHovered();
    void onCornerPictureHovered();
    void onCornerPicturePressed(Qt::MouseButton button);
    void lookForAppHnd();
    void lookForAppHndGone();
    void onOverviewClicked();
    void onExitClicked();
    void onClockClicked();

    // Launch steps.
    enum class LaunchKind { Panel, Icon };
    void launch(int k, LaunchKind kind);
    void GrowBar(int k, bool repaintEachStep);
    void ShrinkBar(int k);
    bool renameMarker(const QString& from, const QString& to);
    bool startProgram(int k, const QString& file);
    void abandonLaunch(int k, const QString& marker);
    void armTimer1();
    void openOtherSystemsWindow(bool owned);
    void openSettingsWindow(bool modal);

    void slotMovementRule(int k);
    void HighlightSlot(int k);
    void ClearHighlight();
    void setSlotLook(int k, bool highlighted);
    void bringTask(const TaskRef& task);
    void runExit();
    bool waitsForEndedProgram() const;
    void takeBackMarker();
    void stopTaskWatch();
    bool bringOpenWindowForward();

    static void setTimerInterval(MarkerCheck& timer, int ms);

    AppContext& m_context;
    MenuShared m_shared;
    ClockPrefs m_clockPrefs;

    qint16 m_highlightedSlot = NoSlot;
    qint16 m_launchBusy = 0;
    qint16 m_subTaskSeen = 0;
    int m_launchedSlot = -1;
    bool m_toolsFound = false;
    bool m_pacing = true;
    bool m_exiting = false;
    bool m_ended = false;
    bool m_askingToStopWaiting = false;
    int m_endedLooks = 0;

    Panel3D* m_mainTitle = nullptr;
    PictureBox* m_titleIcon = nullptr;
    QLabel* m_dateLabel = nullptr;
    std::array<Panel3D*, SlotCount> m_slotPanels{};
    std::array<PictureBox*, SlotCount> m_slotIcons{};
    std::array<Panel3D*, SlotCount> m_slotBars{};
    Panel3D* m_sideStrip = nullptr;
    CommandButton* m_overviewButton = nullptr;
    CommandButton* m_exitButton = nullptr;
    AnalogClock* m_clock = nullptr;
    PictureBox* m_background = nullptr;
    PictureBox* m_backgroundOverlay = nullptr;
    PictureBox* m_cornerPicture = nullptr;
    std::array<PictureBox*, 3> m_seasonalPictures{};
    Panel3D* m_pickerPanel = nullptr;
    // Timer1 and Timer2 look for app_hnd whenever the installation directory changes.
    MarkerWatcher m_watcher;
    MarkerCheck m_appHndAppears;
    MarkerCheck m_appHndGone;
    QTimer m_taskWatch;
    MenuPictures* m_pictures = nullptr;

    QPointer<OtherSystemsWindow> m_otherSystemsWindow;
    QPointer<EnvironmentSettingsWindow> m_settingsWindow;
    QPointer<BuildingOverviewWindow> m_overviewWindow;
    QPointer<ClockPreferencesWindow> m_clockPreferencesWindow;
};

} // namespace lc
