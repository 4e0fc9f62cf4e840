#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

class FilterGraph;
class QLabel;
class QWidget;

// The interfaces through which the hand-drawn controls of the pages speak to
// assistive technology: the crosspoints and the grid of the matrix, the gate
// lamp, the filter graph and each of its handles, the limiter and AGC
// charts. Registered once with QAccessible::installFactory; each control
// calls this when it is made (see widgets/accessibility.h for the shared
// controls).
void initPageAccessibility();

// Tells assistive technology that the focus is on handle `index` of `graph`.
void notifyAccessibleHandleFocus(FilterGraph *graph, int index);

// "IN 3 Handheld 2": a channel's designation and, where it has one, its name.
QString channelLabel(const QString &designation, const QString &name);
QString channelLabel(const QLabel *title, const QLabel *name);

// Names each control "<channel>, <what>" ("IN 3 Handheld 2, Mute"), so that
// the sixteen alike controls of a page can be told apart. A control's `what`
// is usually its caption or its own text, already translated.
void nameControls(const QString &channel,
                  std::initializer_list<std::pair<QWidget *, QString>> controls);

// The unit a caption names at its end: "dB" of "Threshold(dB)", "ms" of
// "Attack (ms)"; empty when it names none.
QString unitOfCaption(const QString &caption);
