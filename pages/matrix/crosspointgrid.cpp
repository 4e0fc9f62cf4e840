#include "pages/matrix/crosspointgrid.h"

#include "pages/matrix/mixnaviwidget.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmtxwidget.h"
#include "pages/matrix/rotatedlabel.h"
#include "widgets/elidedlabel.h"

#include <QEvent>
#include <QLabel>

CrosspointGrid::CrosspointGrid(const CrosspointGridGeometry &geometry, const ButtonFactory &factory,
                               QWidget *parent)
    : QWidget(parent), m_geometry(geometry), m_area(new QWidget(this)),
      m_mtx(new QMtxWidget(m_area)), m_navi(nullptr)
{
    connect(m_mtx, &QMtxWidget::mousePress, this, &CrosspointGrid::MtxMousePressed);
    connect(m_mtx, &QMtxWidget::mouseMove, this, &CrosspointGrid::MtxMouseMove);
    m_mtx->installEventFilter(this);
    m_area->installEventFilter(this);

    for (int in = 0; in < Inputs; ++in) {
        for (int out = 0; out < Outputs; ++out) {
            QMixButton *b = factory(in, out, m_area);
            b->installEventFilter(this);
            connect(b, &QMixButton::select, this, &CrosspointGrid::MtxBtnSelect);
            connect(b, &QMixButton::clicked, this, &CrosspointGrid::MtxBtnClicked);
            m_buttons[size_t(in)][size_t(out)] = b;
        }
        m_rowTitles[size_t(in)] = new QLabel(QStringLiteral("IN %1").arg(in + 1), this);
        m_rowTitles[size_t(in)]->setObjectName(QStringLiteral("titleLabel"));
        m_rowNames[size_t(in)] = new ElidedLabel(this);
    }
    for (int out = 0; out < Outputs; ++out) {
        auto *heading = new RotatedLabel(this);
        heading->setTitle(QStringLiteral("OUT %1").arg(out + 1));
        heading->setElideWidth(geometry.nameElide);
        m_headings[size_t(out)] = heading;
    }
    // Above the buttons, below the band outline (made later by the background).
    m_navi = new MixNaviWidget(m_area);
    m_navi->setBarSize(geometry.button.height(), geometry.button.width());
    m_navi->hide();
    placeWidgets();
}

void CrosspointGrid::placeWidgets()
{
    const CrosspointGridGeometry &g = m_geometry;
    const int pitchX = g.button.width() + g.gap;
    const int pitchY = g.button.height() + g.gap;
    const QSize area(2 * g.margin + Outputs * pitchX - g.gap,
                     2 * g.margin + Inputs * pitchY - g.gap);
    m_area->setGeometry(g.rowHeaderWidth, g.headerHeight, area.width(), area.height());
    m_mtx->setGeometry(0, 0, area.width(), area.height());
    for (int in = 0; in < Inputs; ++in)
        for (int out = 0; out < Outputs; ++out)
            m_buttons[size_t(in)][size_t(out)]->setGeometry(
                QRect(QPoint(g.margin + out * pitchX, g.margin + in * pitchY), g.button));
    for (int out = 0; out < Outputs; ++out)
        m_headings[size_t(out)]->setGeometry(g.rowHeaderWidth + g.margin + out * pitchX, 0,
                                             g.button.width(), g.headerHeight - 2);
    const int titleWidth = qMin(34, g.rowHeaderWidth / 2);
    for (int in = 0; in < Inputs; ++in) {
        const int y = g.headerHeight + g.margin + in * pitchY;
        m_rowTitles[size_t(in)]->setGeometry(2, y, titleWidth, g.button.height());
        m_rowNames[size_t(in)]->setGeometry(2 + titleWidth, y, g.rowHeaderWidth - titleWidth - 4,
                                            g.button.height());
    }
    setFixedSize(g.rowHeaderWidth + area.width(), g.headerHeight + area.height());
}

void CrosspointGrid::setGridGeometry(const CrosspointGridGeometry &geometry)
{
    m_geometry = geometry;
    m_navi->setBarSize(geometry.button.height(), geometry.button.width());
    placeWidgets();
}

QMixButton *CrosspointGrid::button(int input, int output) const
{
    if (input < 0 || input >= Inputs || output < 0 || output >= Outputs)
        return nullptr;
    return m_buttons[size_t(input)][size_t(output)];
}

RotatedLabel *CrosspointGrid::outputHeading(int output) const
{
    return output >= 0 && output < Outputs ? m_headings[size_t(output)] : nullptr;
}

ElidedLabel *CrosspointGrid::inputName(int input) const
{
    return input >= 0 && input < Inputs ? m_rowNames[size_t(input)] : nullptr;
}

bool CrosspointGrid::isOn(int input, int output) const
{
    const QMixButton *b = button(input, output);
    return b && b->isOn();
}

void CrosspointGrid::setOn(int input, int output, bool on)
{
    if (QMixButton *b = button(input, output))
        b->setOn(on);
}

bool CrosspointGrid::isSelected(int input, int output) const
{
    const QMixButton *b = button(input, output);
    return b && b->isSelected();
}

bool CrosspointGrid::hasSelection() const
{
    int in = 0;
    int out = 0;
    return firstSelected(&in, &out);
}

QVector<quint8> CrosspointGrid::selectedInputs(int output) const
{
    QVector<quint8> inputs;
    for (int in = 0; in < Inputs; ++in)
        if (isSelected(in, output))
            inputs.append(quint8(in));
    return inputs;
}

bool CrosspointGrid::firstSelected(int *input, int *output) const
{
    for (int in = 0; in < Inputs; ++in)
        for (int out = 0; out < Outputs; ++out)
            if (m_buttons[size_t(in)][size_t(out)]->isSelected()) {
                *input = in;
                *output = out;
                return true;
            }
    return false;
}

void CrosspointGrid::clearSelection()
{
    emit aboutToChangeSelection();
    for (auto &row : m_buttons)
        for (QMixButton *b : row)
            b->setSelected(false);
    emit bandChanged();
}

void CrosspointGrid::MtxMousePressed()
{
    clearSelection();
}

void CrosspointGrid::MtxMouseMove(QPoint start, QPoint current)
{
    emit aboutToChangeSelection();
    const QRect band(
        QPoint(qMin(start.x(), current.x()) - BandShift, qMin(start.y(), current.y()) - BandShift),
        QPoint(qMax(start.x(), current.x()) - BandShift, qMax(start.y(), current.y()) - BandShift));
    for (auto &row : m_buttons)
        for (QMixButton *b : row)
            b->setSelected(band.contains(b->geometry()));
    emit bandChanged();
}

void CrosspointGrid::MtxBtnSelect()
{
    auto *pressed = qobject_cast<QMixButton *>(sender());
    if (!pressed)
        return;
    emit aboutToChangeSelection();
    for (auto &row : m_buttons)
        for (QMixButton *b : row)
            if (b != pressed)
                b->setSelected(false);
    emit buttonSelected(pressed->input(), pressed->output());
}

void CrosspointGrid::MtxBtnClicked(bool isChecked)
{
    auto *pressed = qobject_cast<QMixButton *>(sender());
    if (!pressed)
        return;
    for (auto &row : m_buttons)
        for (QMixButton *b : row)
            if (b->isSelected())
                b->setOn(isChecked);
    emit switched(pressed->input(), pressed->output(), isChecked);
}

void CrosspointGrid::setInputName(int input, const QString &name)
{
    if (ElidedLabel *label = inputName(input)) {
        label->setText(name);
        m_rowTitles[size_t(input)]->setToolTip(name);
    }
}

void CrosspointGrid::setOutputName(int output, const QString &name)
{
    if (RotatedLabel *heading = outputHeading(output))
        heading->setName(name);
}

void CrosspointGrid::setFonts(const QFont &title, const QFont &name)
{
    for (int i = 0; i < Inputs; ++i) {
        m_rowTitles[size_t(i)]->setFont(title);
        m_rowNames[size_t(i)]->setFont(name);
    }
    for (RotatedLabel *heading : m_headings) {
        heading->setTitleFont(title);
        heading->setFont(name);
    }
    for (auto &row : m_buttons)
        for (QMixButton *b : row)
            b->setFont(name);
}

void CrosspointGrid::showNavigation(const QMixButton *hovered)
{
    const QRect first = m_buttons[0][0]->geometry();
    const QRect last = hovered->geometry();
    m_navi->setGeometry(QRect(first.topLeft(), last.bottomRight() + QPoint(1, 1)));
    m_navi->raise();
    m_navi->show();
}

bool CrosspointGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter) {
        if (auto *b = qobject_cast<QMixButton *>(watched))
            showNavigation(b);
        else if (watched == m_mtx)
            m_navi->hide(); // between buttons
    } else if (event->type() == QEvent::Leave && watched == m_area) {
        m_navi->hide();
    } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
               watched == m_buttons[0][0] && m_navi->isVisible()) {
        m_navi->setGeometry(QRect(m_buttons[0][0]->pos(), m_navi->geometry().bottomRight()));
    }
    return QWidget::eventFilter(watched, event);
}
