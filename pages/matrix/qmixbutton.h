#pragma once

#include <QPixmap>
#include <QPushButton>

// One crosspoint of the matrix grid. It has two flags, on (the input is routed
// to the output) and selected, and takes one of four looks from them.
//
// A press on an unselected button only selects it: it emits select() and then
// marks itself selected, so the owner can finish the work of the old
// selection and unselect every other button first. A press on a selected button
// toggles its on state and emits clicked() with the new state, so several
// selected crosspoints are switched together. Presses are handled on the
// press itself. The button takes no keyboard focus: the grid's cursor stands
// for it (press() is what Space on the cursor does), and the cursor's button
// draws the focus ring (setCursorMark).
//
// The four looks are the four style sheets of styleFor(). Each look is
// rendered once per button size by a button that carries the sheet, and every
// button draws the rendered face of its look: switching a whole grid through
// the style sheet machinery (a polish per button) takes several frames.
class QMixButton : public QPushButton
{
    Q_OBJECT
    Q_DISABLE_COPY(QMixButton)

public:
    QMixButton(int input, int output, QWidget *parent = nullptr);

    int input() const { return m_input; }
    int output() const { return m_output; }

    bool isOn() const { return m_on; }
    bool isSelected() const { return m_selected; }
    // Both restyle the button only when the flag changes; neither emits.
    void setOn(bool on);
    void setSelected(bool selected);
    // What a left press does: selects, or switches when selected.
    void press();
    // Draws the focus ring: the grid's cursor is here and the grid has the focus.
    void setCursorMark(bool marked);
    bool hasCursorMark() const { return m_cursorMark; }

    // The style sheet for a pair of flags.
    static const QString &styleFor(bool on, bool selected);

signals:
    void select();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Face
    {
        QPixmap pixmap;
        QColor text;
    };
    // The face of a look at a size, rendered on first use.
    static const Face &face(bool on, bool selected, QSize size, qreal pixelRatio);
    void restyle();

    const int m_input;
    const int m_output;
    bool m_on = false;
    bool m_selected = false;
    bool m_cursorMark = false;
    bool m_isTemplate = false; // renders a face through its style sheet
};
