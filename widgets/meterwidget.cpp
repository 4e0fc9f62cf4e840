#include "widgets/meterwidget.h"

#include "widgets/appfont.h"
#include "widgets/bgwidget.h"
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
        auto *grid = new QGridLayout(panel);
        grid->setContentsMargins(8, 4, 8, 4);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(2);

        m_titles[r] = new QLabel(panel);
        m_titles[r]->setObjectName(QStringLiteral("titleLabel"));
        grid->addWidget(m_titles[r], 0, 0, 1, kChannels, Qt::AlignLeft);
        for (int c = 0; c < kChannels; ++c) {
            auto *caption = new QLabel(QString::number(c + 1), panel);
            caption->setAlignment(Qt::AlignCenter);
            caption->setStyleSheet(QStringLiteral("color: rgb(120, 120, 120);"));
            m_channelCaptions.append(caption);

            Channel &channel = m_channels[r][c];
            channel.meter = new QMeter(panel);
            channel.meter->setFixedWidth(20);
            channel.meter->setRange(m_floor, kTop);
            channel.meter->setValue(m_floor);
            channel.number = new QLabel(panel);
            channel.number->setAlignment(Qt::AlignCenter);
            channel.number->setStyleSheet(QStringLiteral("color: rgb(78, 78, 78);"));
            showLevel(channel);

            grid->addWidget(caption, 1, c, Qt::AlignHCenter);
            grid->addWidget(channel.meter, 2, c, Qt::AlignHCenter);
            grid->addWidget(channel.number, 3, c, Qt::AlignHCenter);
            grid->setColumnStretch(c, 1);
        }
        grid->setRowStretch(2, 1);
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
    entry.level = level;
    showLevel(entry);
}

void MeterWidget::showLevel(Channel &channel) const
{
    const int shown = qBound(m_floor, channel.level, int(kTop));
    channel.meter->setValue(shown);
    channel.number->setText(QStringLiteral("%1").arg(shown));
}

void MeterWidget::setFloor(int floor)
{
    floor = qMin(floor, int(kTop));
    m_floor = floor;
    for (auto &row : m_channels) {
        for (Channel &channel : row) {
            channel.meter->setRange(m_floor, kTop);
            showLevel(channel);
        }
    }
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

const QMeter *MeterWidget::meter(Row row, int channel) const
{
    return channel >= 0 && channel < kChannels ? m_channels[row][channel].meter : nullptr;
}

QString MeterWidget::numberText(Row row, int channel) const
{
    return channel >= 0 && channel < kChannels ? m_channels[row][channel].number->text()
                                               : QString();
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
    for (QLabel *caption : qAsConst(m_channelCaptions))
        caption->setFont(appFont(8));
    for (auto &row : m_channels) {
        for (Channel &channel : row)
            channel.number->setFont(appFont(8));
    }
}

void MeterWidget::retranslate()
{
    setWindowTitle(tr("Meter"));
    m_titles[InputPreFader]->setText(tr("Input Pre Fader"));
    m_titles[InputPostFader]->setText(tr("Input Post Fader"));
    m_titles[OutputPreFader]->setText(tr("Output Pre Fader"));
    m_titles[OutputPostFader]->setText(tr("Output Post Fader"));
}
