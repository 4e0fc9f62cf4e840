#pragma once

#include <QVector>

class QGridLayout;
class QLabel;
class QWidget;

// The panels of the settings page: a titled background holding a grid of
// captioned rows. The form keeps the captions (texts of the "settings"
// context) and sets them again on a language change.
class SettingsForm final
{
public:
    // A panel under `parent`; `grid` receives its rows.
    QWidget *panel(QWidget *parent, const char *objectName, const char *title, QGridLayout *&grid);
    // A row of `grid`: the caption and `value`, or a new value label (returned).
    QLabel *addRow(QGridLayout *grid, const char *caption, QWidget *value = nullptr);
    void retranslate();

private:
    struct Caption
    {
        QLabel *label;
        const char *text;
    };

    QVector<Caption> m_captions;
    QVector<QLabel *> m_titles;
};
