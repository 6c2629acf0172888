#pragma once

#include <QPointF>
#include <QString>

namespace lc {

struct ClockPrefs;

// Rules for the clock's look and place shared by the start-up read and the
// preferences window. Sizes and positions are in twips.
namespace ClockRules {

// The main window's client area, in which the clock sits.
constexpr double ClientWidth = 11880;
constexpr double ClientHeight = 8070;

constexpr int SizeUnit = 495;
constexpr int MinSize = 495;  // step 0
constexpr int MaxSize = 3465; // step 30
constexpr int MaxSizeStep = 30;
constexpr int MaxMascotSize = 20;
constexpr int MinLineWidth = 1;
constexpr int MaxLineWidth = 10;
constexpr int MaxMinute = 59;

// Clock height or width for a slider step s (0 to 30): (s / 5 + 1) · 495.
double sizeForStep(int step);
// The step nearest to a clock size, within 0 to 30.
int stepForSize(double size);

// A position that keeps a clock of the given size inside the client area.
QPointF keptInClient(double left, double top, double width, double height,
                     double clientWidth = ClientWidth, double clientHeight = ClientHeight);

// Stored values brought into the ranges the clock accepts, so that a damaged
// file cannot make the clock unusable or put it out of sight.
ClockPrefs keptInRange(const ClockPrefs& prefs);

// The numeric value of the leading number of a text, as typed into a box:
// blanks skipped, an optional sign, digits and an optional fraction; 0 when the
// text does not start with a number.
double leadingNumber(const QString& text);

// The minute box "毎時 … 分に、時報を鳴らす": the text the box keeps and the
// minute it sets, after the box's rules ran on the text typed.
struct MinuteBox
{
    QString text;
    qint16 minute = 0;
};
MinuteBox minuteBoxRules(const QString& typed);

// Whether clock.pra can hold the time-signal file's path as it is: at most the
// field's 100 bytes of the code page, every character held by it.
bool isStorableJihouFile(const QString& path);

} // namespace ClockRules

} // namespace lc
