#pragma once

#include "pages/matrix/qmixbutton.h"

// A crosspoint of the gain editor: a matrix button that shows the
// crosspoint's gain as its text.
class QMixButton2 final : public QMixButton
{
    Q_OBJECT
    Q_DISABLE_COPY(QMixButton2)

public:
    QMixButton2(int input, int output, QWidget *parent = nullptr);

    int gain() const { return m_gain; }
    // Shows `gain` ("%ddB"); emits nothing.
    void setGain(int gain);

private:
    int m_gain = 0;
};
