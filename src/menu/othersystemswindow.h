#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QTimer;

namespace lc {

struct AppContext;
struct MenuShared;
class Panel3D;

// The other-systems menu "【 その他 Ｍｅｎｕ 】": four tools of the suite and
// "MAIN MENU へ". While it is open with no tool running the marker "sub" stands;
// starting a tool turns it into "app", returning turns it into "menu" (or waits
// until the started tool has done so).
class OtherSystemsWindow : public QWidget
{
    Q_OBJECT
public:
    // owner: the main window when opened from the panel, nullptr from the icon.
    OtherSystemsWindow(AppContext& context, MenuShared& shared, QWidget* owner);
    ~OtherSystemsWindow() override;

    static constexpr int PanelCount = 16;
    static constexpr int MainMenuPanel = 15;
    static constexpr int NoPanel = 99;

    // The highlighted panel index; 99 when none.
    int highlightedIndex() const { return m_highlighted; }
    // True while "MAIN MENU へ" waits for the started tool to turn "app" back
    // into "menu".
    bool isWaitingForMenu() const;

    // Closes the window and gives the marker back without waiting, as a close
    // through the window frame does (also when the launcher ends).
    void closeReturningMarker();
    // A tool started here gave the marker back as "menu": while this window is
    // open it is the one waiting, so "menu" becomes "sub" again and the next tool
    // can start. True when it did so.
    bool reclaimMarker();
    // The tool started here ended without giving the marker back: "app" becomes
    // "sub" again, or "menu" while the return to the main menu waits for it.
    void toolEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startUp();
    void onActivated();
    void placeWindow(bool topmost);

    void onPanelHovered(int index);
    void onPanelClicked(int index);
    void onBackingHovered(int index);
    void onBackgroundHovered();

    void showNormalLook(int index);
    void showHighlight(int index);
    void removeHighlight();
    void placeAgainAfterToolStart();

    void startTool(int index);
    void returnToMainMenu();
    void giveMarkerBack();
    void beginWaitForMenu();
    void endWaitForMenu();
    void pollForMenu();
    void finishReturn();

    void report(const QString& text);

    AppContext& m_context;
    MenuShared& m_shared;

    Panel3D* m_background = nullptr; // Panel3D1
    Panel3D* m_title = nullptr;      // SSPanel1
    QLabel* m_date = nullptr;        // label_mh10
    std::array<QLabel*, 2> m_backing{};
    std::array<Panel3D*, PanelCount> m_panels{};
    QLabel* m_waitNotice = nullptr;
    QTimer* m_waitTimer = nullptr;

    int m_highlighted = NoPanel;
    bool m_placed = false;
    bool m_returning = false;
    bool m_toolStarted = false;
};

} // namespace lc
