#include "pages/dynamics/gatelamp.h"

#include "pages/accessibility.h"

#include <QAccessible>

namespace {
const char ClosedStyle[] = "border-radius:5px;padding:2px 4px;background-color:#707070";
const char OpenStyle[] = "border-radius:5px;padding:2px 4px;background-color:#00FF00";
} // namespace

GateLamp::GateLamp(QWidget *parent) : QPushButton(parent)
{
    initPageAccessibility();
    setCheckable(true);
    setFixedSize(12, 12);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(QString::fromLatin1(ClosedStyle));
}

bool GateLamp::setOpen(bool open)
{
    if (open == isChecked())
        return false;
    setChecked(open);
    setStyleSheet(QString::fromLatin1(open ? OpenStyle : ClosedStyle));
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    return true;
}
