#include "widgets/meterwidget.h"

#include "widgets/appfont.h"
#include "widgets/bgwidget.h"
#include "widgets/meternumber.h"
#include "widgets/qmeter.h"
#include "widgets/settingsstore.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
const char *const kGeometryKey = "MeterGeometry";
} // namespace

MeterWidget::MeterWidget(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setObjectName(QStringLiteral("meterWidget"));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);
    for (int r = 0; r < kRows; ++r) {
        auto *panel = new BgWidget(this);
        panel->setObjectName(QStringLiteral("meterRowWidget"));
        panel->setStyleSheet(
            QStringLiteral("#meterRowWidget { background-color: rgb(246, 246, 247);"
                           " border: 1px solid rgb(206, 208, 212); border-radius: 4px; }"));
        m_grids[r] = new QGridLayout(panel);
        m_grids[r]->setContentsMargins(8, 4, 8, 4);
        m_grids[r]->setHorizontalSpacing(4);
        m_grids[r]->setVerticalSpacing(2);
        m_titles[r] = new QLabel(panel);
        m_titles[r]->setObjectName(QStringLiteral("titleLabel"));
        m_grids[r]->addWidget(m_titles[r], 0, 0, 1, kChannels, Qt::AlignLeft);
        m_grids[r]->setRowStretch(2, 1);
        outer->addWidget(panel, 1);
    }

    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this);
    connect(shortcut, &QShortcut::activated, this, &MeterWidget::CtrlNClicked);

    applyFonts();
    retranslate();

    resize(800, 600);
    const QSettings settings = userSettings();
    const QByteArray geometry = settings.value(QLatin1String(kGeometryKey)).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

// The 64 meters with their captions and numbers are made when the panel is
// first shown (or its meters are looked at): most sessions never open it.
void MeterWidget::buildMeters()
{
    if (m_built)
        return;
    m_built = true;
    for (int r = 0; r < kRows; ++r) {
        QWidget *panel = m_titles[r]->parentWidget();
        for (int c = 0; c < kChannels; ++c) {
            auto *caption = new QLabel(QString::number(c + 1), panel);
            caption->setAlignment(Qt::AlignCenter);
            caption->setStyleSheet(QStringLiteral("color: rgb(120, 120, 120);"));
            m_channelCaptions.append(caption);

            Channel &channel = m_channels[r][c];
            channel.meter = new QMeter(panel);
            channel.meter->setFixedWidth(20);
            channel.meter->setRange(m_floor, kTop);
            channel.number = new MeterNumber(m_floor, panel);
            channel.number->setColour(QColor(78, 78, 78));
            channel.number->setOpaqueOnParent(true);

            m_grids[r]->addWidget(caption, 1, c, Qt::AlignHCenter);
            m_grids[r]->addWidget(channel.meter, 2, c, Qt::AlignHCenter);
            m_grids[r]->addWidget(channel.number, 3, c);
            m_grids[r]->setColumnStretch(c, 1);
        }
    }
    applyFonts();
    updateAccessibleNames();
    m_stale = true;
}

// "IN 3, Input Pre Fader": the meters of a column look alike.
void MeterWidget::updateAccessibleNames()
{
    if (!m_built)
        return;
    for (int r = 0; r < kRows; ++r) {
        const bool input = r == InputPreFader || r == InputPostFader;
        for (int c = 0; c < kChannels; ++c)
            m_channels[r][c].meter->setAccessibleName(
                (input ? QStringLiteral("IN %1, %2") : QStringLiteral("OUT %1, %2"))
                    .arg(c + 1)
                    .arg(m_titles[r]->text()));
    }
}

// Brings the meters up to the stored levels and floor. While the panel is
// hidden they are left alone: the levels arrive ten times a second.
void MeterWidget::showLevels()
{
    buildMeters();
    if (!m_stale)
        return;
    m_stale = false;
    for (auto &row : m_channels)
        for (Channel &channel : row) {
            channel.meter->setRange(m_floor, kTop);
            showLevel(channel);
        }
}

void MeterWidget::showEvent(QShowEvent *event)
{
    showLevels();
    QDialog::showEvent(event);
}

MeterWidget::~MeterWidget()
{
    QSettings settings = userSettings();
    settings.setValue(QLatin1String(kGeometryKey), saveGeometry());
}

void MeterWidget::setInPreFader(int channel, int level)
{
    setLevel(InputPreFader, channel, level);
}

void MeterWidget::setInPostFader(int channel, int level)
{
    setLevel(InputPostFader, channel, level);
}

void MeterWidget::setOutPreFader(int channel, int level)
{
    setLevel(OutputPreFader, channel, level);
}

void MeterWidget::setOutPostFader(int channel, int level)
{
    setLevel(OutputPostFader, channel, level);
}

void MeterWidget::setLevel(Row row, int channel, int level)
{
    if (channel < 0 || channel >= kChannels)
        return;
    Channel &entry = m_channels[row][channel];
    if (entry.level == level)
        return;
    entry.level = level;
    if (m_built && isVisible())
        showLevel(entry);
    else
        m_stale = true;
}

void MeterWidget::showLevel(Channel &channel) const
{
    const int shown = qBound(m_floor, channel.level, int(kTop));
    channel.meter->setValue(shown);
    channel.number->setValue(shown);
}

void MeterWidget::setFloor(int floor)
{
    m_floor = qMin(floor, int(kTop));
    m_stale = true;
    if (isVisible())
        showLevels();
}

void MeterWidget::toggleFloor()
{
    setFloor(m_floor != kHighFloor ? kHighFloor : kLowFloor);
}

void MeterWidget::CtrlNClicked()
{
    toggleFloor();
    emit ctrlN();
}

int MeterWidget::level(Row row, int channel) const
{
    return channel >= 0 && channel < kChannels ? m_channels[row][channel].level : m_floor;
}

const QMeter *MeterWidget::meter(Row row, int channel)
{
    if (channel < 0 || channel >= kChannels)
        return nullptr;
    showLevels();
    return m_channels[row][channel].meter;
}

QString MeterWidget::numberText(Row row, int channel)
{
    if (channel < 0 || channel >= kChannels)
        return QString();
    showLevels();
    return m_channels[row][channel].number->text();
}

void MeterWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        applyFonts();
        retranslate();
    }
    QDialog::changeEvent(event);
}

void MeterWidget::applyFonts()
{
    for (QLabel *title : m_titles)
        title->setFont(appFont(10, true));
    const QFont font = appFont(8);
    for (QLabel *caption : qAsConst(m_channelCaptions))
        caption->setFont(font);
    if (m_built)
        for (auto &row : m_channels)
            for (Channel &channel : row)
                channel.number->setFont(font);
}

void MeterWidget::retranslate()
{
    setWindowTitle(tr("Meter"));
    m_titles[InputPreFader]->setText(tr("Input Pre Fader"));
    m_titles[InputPostFader]->setText(tr("Input Post Fader"));
    m_titles[OutputPreFader]->setText(tr("Output Pre Fader"));
    m_titles[OutputPostFader]->setText(tr("Output Post Fader"));
    updateAccessibleNames();
}
