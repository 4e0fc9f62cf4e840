#include "pages/matrix/qmixbutton2.h"

QMixButton2::QMixButton2(int input, int output, QWidget *parent) : QMixButton(input, output, parent)
{
    setText(QStringLiteral("0dB"));
}

void QMixButton2::setGain(int gain)
{
    m_gain = gain;
    setText(QString::asprintf("%ddB", gain));
}
