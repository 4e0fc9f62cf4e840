#include "pages/matrix/crosspointgrid.h"

#include "pages/accessibility.h"
#include "pages/matrix/mixnaviwidget.h"
#include "pages/matrix/qmixbutton.h"
#include "pages/matrix/qmtxwidget.h"
#include "pages/matrix/rotatedlabel.h"
#include "widgets/elidedlabel.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>

namespace {
constexpr int NamePadding = 3; // at each end of a heading's text, as RotatedLabel draws it
// The crosspoints grow with the room up to this size (large windows).
constexpr QSize LargestButton(54, 30);
} // namespace

CrosspointGrid::CrosspointGrid(const CrosspointGridGeometry &geometry, const ButtonFactory &factory,
                               QWidget *parent)
    : QWidget(parent), m_geometry(geometry), m_placed(geometry), m_area(new QWidget(this)),
      m_mtx(new QMtxWidget(m_area)), m_navi(nullptr)
{
    initPageAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Crosspoints"));
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
        m_rowNames[size_t(in)]->setElideMode(Qt::ElideMiddle);
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
    const QSize base = sizeFor(geometry);
    setMinimumSize(base);
    resize(base);
    placeWidgets();
}

QSize CrosspointGrid::sizeFor(const CrosspointGridGeometry &g) const
{
    return QSize(g.rowHeaderWidth + 2 * g.margin + Outputs * (g.button.width() + g.gap) - g.gap,
                 g.headerHeight + 2 * g.margin + Inputs * (g.button.height() + g.gap) - g.gap);
}

QSize CrosspointGrid::sizeHint() const
{
    return sizeFor(largestGeometry());
}

QSize CrosspointGrid::minimumSizeHint() const
{
    return sizeFor(m_geometry);
}

// The row header's width that shows the longest input name whole.
int CrosspointGrid::wantedRowHeaderWidth() const
{
    int widest = 0;
    for (const ElidedLabel *name : m_rowNames)
        widest = qMax(widest, name->fontMetrics().horizontalAdvance(name->text()));
    const int titleWidth = qMin(34, m_geometry.rowHeaderWidth / 2);
    return 2 + titleWidth + widest + 2 * NamePadding + 4;
}

// The heading's height that shows the longest output name whole.
int CrosspointGrid::wantedHeaderHeight() const
{
    int longest = 0;
    for (const RotatedLabel *heading : m_headings)
        longest = qMax(longest, heading->fontMetrics().horizontalAdvance(heading->name()));
    return longest + 2 * NamePadding + 4;
}

CrosspointGridGeometry CrosspointGrid::largestGeometry() const
{
    CrosspointGridGeometry g = m_geometry;
    g.rowHeaderWidth = qMax(g.rowHeaderWidth, wantedRowHeaderWidth());
    g.headerHeight = qMax(g.headerHeight, wantedHeaderHeight());
    g.button = g.button.expandedTo(LargestButton);
    return g;
}

CrosspointGridGeometry CrosspointGrid::grownGeometry() const
{
    CrosspointGridGeometry g = m_geometry;
    const QSize base = sizeFor(g);
    const QSize largestButton = g.button.expandedTo(LargestButton);
    int extraWidth = width() - base.width();
    int extraHeight = height() - base.height();
    if (extraWidth > 0) {
        const int grow = qBound(0, wantedRowHeaderWidth() - g.rowHeaderWidth, extraWidth);
        g.rowHeaderWidth += grow;
        extraWidth -= grow;
        g.button.rwidth() = qMin(largestButton.width(), g.button.width() + extraWidth / Outputs);
    }
    if (extraHeight > 0) {
        const int grow = qBound(0, wantedHeaderHeight() - g.headerHeight, extraHeight);
        g.headerHeight += grow;
        extraHeight -= grow;
        g.button.rheight() = qMin(largestButton.height(), g.button.height() + extraHeight / Inputs);
    }
    return g;
}

// The grid takes the room its owner's layout gives, up to buttons of the
// largest size and names shown whole.
void CrosspointGrid::updateLargest()
{
    setMaximumSize(sizeFor(largestGeometry()));
    updateGeometry();
}

void CrosspointGrid::resizeEvent(QResizeEvent *event)
{
    placeWidgets();
    QWidget::resizeEvent(event);
}

void CrosspointGrid::placeWidgets()
{
    m_placed = grownGeometry();
    const CrosspointGridGeometry &g = m_placed;
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
    for (int out = 0; out < Outputs; ++out) {
        RotatedLabel *heading = m_headings[size_t(out)];
        heading->setGeometry(g.rowHeaderWidth + g.margin + out * pitchX, 0, g.button.width(),
                             g.headerHeight - 2);
        // A grown heading shows as much of the name as it has room for.
        heading->setElideWidth(qMax(g.nameElide, g.headerHeight));
    }
    const int titleWidth = qMin(34, g.rowHeaderWidth / 2);
    for (int in = 0; in < Inputs; ++in) {
        const int y = g.headerHeight + g.margin + in * pitchY;
        m_rowTitles[size_t(in)]->setGeometry(2, y, titleWidth, g.button.height());
        m_rowNames[size_t(in)]->setGeometry(2 + titleWidth, y, g.rowHeaderWidth - titleWidth - 4,
                                            g.button.height());
    }
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
    setCursorPosition(pressed->input(), pressed->output());
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
    setCursorPosition(pressed->input(), pressed->output());
    emit switched(pressed->input(), pressed->output(), isChecked);
}

void CrosspointGrid::setInputName(int input, const QString &name)
{
    if (ElidedLabel *label = inputName(input)) {
        label->setText(name);
        m_rowTitles[size_t(input)]->setToolTip(name);
        updateLargest();
        if (width() > sizeFor(m_geometry).width())
            placeWidgets(); // the names may take more of the room now
    }
}

void CrosspointGrid::setOutputName(int output, const QString &name)
{
    if (RotatedLabel *heading = outputHeading(output)) {
        heading->setName(name);
        updateLargest();
        if (height() > sizeFor(m_geometry).height())
            placeWidgets();
    }
}

QString CrosspointGrid::inputLabel(int input) const
{
    const ElidedLabel *name = inputName(input);
    if (!name)
        return {};
    const QString title = QStringLiteral("IN %1").arg(input + 1);
    return name->text().isEmpty() ? title : title + QLatin1Char(' ') + name->text();
}

QString CrosspointGrid::outputLabel(int output) const
{
    const RotatedLabel *heading = outputHeading(output);
    if (!heading)
        return {};
    const QString title = QStringLiteral("OUT %1").arg(output + 1);
    return heading->name().isEmpty() ? title : title + QLatin1Char(' ') + heading->name();
}

// ---- keyboard -------------------------------------------------------------

void CrosspointGrid::setCursorPosition(int input, int output)
{
    input = qBound(0, input, Inputs - 1);
    output = qBound(0, output, Outputs - 1);
    if (input == m_cursorInput && output == m_cursorOutput)
        return;
    button(m_cursorInput, m_cursorOutput)->setCursorMark(false);
    m_cursorInput = input;
    m_cursorOutput = output;
    showCursor();
}

void CrosspointGrid::showCursor()
{
    QMixButton *b = button(m_cursorInput, m_cursorOutput);
    b->setCursorMark(hasFocus());
    if (!hasFocus())
        return;
    // In the crosspoint editor the grid scrolls; the cursor stays in view.
    for (QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (auto *scroll = qobject_cast<QScrollArea *>(w)) {
            scroll->ensureWidgetVisible(b, 8, 8);
            break;
        }
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(b, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void CrosspointGrid::pressCursor()
{
    button(m_cursorInput, m_cursorOutput)->press();
}

void CrosspointGrid::keyPressEvent(QKeyEvent *event)
{
    int input = m_cursorInput;
    int output = m_cursorOutput;
    switch (event->key()) {
    case Qt::Key_Left:
        --output;
        break;
    case Qt::Key_Right:
        ++output;
        break;
    case Qt::Key_Up:
        --input;
        break;
    case Qt::Key_Down:
        ++input;
        break;
    case Qt::Key_Home:
        output = 0;
        break;
    case Qt::Key_End:
        output = Outputs - 1;
        break;
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            pressCursor();
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setCursorPosition(input, output);
    event->accept();
}

void CrosspointGrid::focusInEvent(QFocusEvent *event)
{
    showCursor();
    QWidget::focusInEvent(event);
}

void CrosspointGrid::focusOutEvent(QFocusEvent *event)
{
    showCursor();
    QWidget::focusOutEvent(event);
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
    updateLargest();
    if (size() != sizeFor(m_geometry))
        placeWidgets();
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
