#pragma once

#include "common/inputhelpers.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QWindow;

namespace lc {

struct AppContext;
class CommandButton;
class Panel3D;

// The building overview window "[建物概要]" of the current data directory. Values
// are shown in labels; one field at a time is edited in a box laid over its label,
// Enter stores the box in the label and moves on. "ｏｋ" writes the labels to the
// overview file and closes the window; closing it any other way saves nothing.
//
// Each time the window becomes the active window of the program (from another of
// the launcher's windows, not from its own message boxes) it re-reads the file
// and editing restarts at field 1.
class BuildingOverviewWindow : public QWidget
{
    Q_OBJECT
public:
    BuildingOverviewWindow(AppContext& context, QWidget* parent);
    ~BuildingOverviewWindow() override;

    // File to labels: records holding a value replace the labels' captions, empty
    // records leave them as they are.
    void gaiyo_get();
    // Labels to file; false when the file could not be written (the labels and the
    // window stay as they are).
    bool gaiyo_put();

    // The field (1..12) and remark line (1..10, 0 before the first) being edited.
    int currentField() const { return m_field; }
    int currentRemarkLine() const { return m_remarkLine; }

    // Showing the window while it is open makes it the active window again.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void placeAndDate();
    void onActivated();
    void editField(int index);
    void editRemarkLine(int line);
    void onButtonClicked(int index);

    void numericGotFocus(QLineEdit* box);
    bool numericKey(QLineEdit* box, QKeyEvent* event);
    bool textKey(QLineEdit* box, QKeyEvent* event);
    void applyFilter(QLineEdit* box, qint16 key);
    void layOver(QLineEdit* box, QLabel* label);
    void hideBoxes();

    QString overviewPath() const;
    // Shows the disk message for a failed read or write; true when the user asked
    // to try again.
    bool retryAfterDiskError(int error, bool saving);
    void focusWindowChanged(QWindow* window);
    bool isOwnWindow(QWindow* window) const;

    AppContext& m_context;

    Panel3D* m_panel = nullptr;
    Panel3D* m_frame = nullptr;
    std::array<QLabel*, 13> m_fieldLabels{};  // 1..12
    std::array<QLabel*, 11> m_remarkLabels{};  // 1..10
    std::array<QLabel*, 6> m_headingLabels{}; // 1..5
    QLineEdit* m_numberBox = nullptr;
    QLineEdit* m_textBox = nullptr;
    QLineEdit* m_areaBox = nullptr;
    QLineEdit* m_remarkBox = nullptr;
    QLineEdit* m_focusParking = nullptr;
    std::array<CommandButton*, 2> m_buttons{};

    qint16 m_field = 1;
    qint16 m_remarkLine = 0;

    // Activation: the first after showing always counts; later ones only when the
    // program's previous active window was not one of this window's own boxes.
    bool m_firstActivation = true;
    int m_ownBoxDepth = 0;
    QPointer<QWindow> m_lastFocusWindow;
    QList<QPointer<QWindow>> m_ownBoxWindows;

    // The numeric filter's state of the focused box while the window is inactive.
    std::optional<NumEditState> m_savedNumState;
    QLineEdit* m_savedNumBox = nullptr;
};

} // namespace lc
