#include "pages/levels/factorytestwindow.h"

#include "pages/levels/qinlevel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

FactoryTestWindow::FactoryTestWindow(QInLevel *page)
    : QDialog(page), m_page(page), m_status(new QLabel(this))
{
    setWindowTitle(tr("Factory Test"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *grid = new QGridLayout(this);
    const auto addButton = [&](const QString &text, int row, int column, auto action) {
        auto *b = new QPushButton(text, this);
        b->setMinimumHeight(28);
        connect(b, &QPushButton::clicked, this, action);
        grid->addWidget(b, row, column);
    };
    addButton(tr("All inputs: Mic + 48V"), 0, 0, [this] { allMicWithPhantom(); });
    addButton(tr("All inputs: Line"), 0, 1, [this] { allLine(); });
    addButton(tr("Mute all inputs"), 1, 0, [this] { muteAll(true); });
    addButton(tr("Unmute all inputs"), 1, 1, [this] { muteAll(false); });
    addButton(tr("All gains 0.0 dB"), 2, 0, [this] { setAllGains(0.0f); });
    addButton(tr("All gains to maximum"), 2, 1, [this] { setAllGains(50.0f); });
    m_status->setStyleSheet(QStringLiteral("color: rgb(90, 100, 110);"));
    grid->addWidget(m_status, 3, 0, 1, 2);
}

void FactoryTestWindow::forEachChannel(const std::function<void(int)> &action)
{
    for (int c = 0; c < QInLevel::Channels; ++c)
        action(c);
}

void FactoryTestWindow::allMicWithPhantom()
{
    forEachChannel([this](int c) {
        m_page->modeBox(c)->setCurrentIndex(QInLevel::Mic);
        if (!m_page->phantomButton(c)->isChecked())
            m_page->phantomButton(c)->click();
    });
    m_status->setText(tr("All inputs set to Mic with 48V."));
}

void FactoryTestWindow::allLine()
{
    forEachChannel([this](int c) { m_page->modeBox(c)->setCurrentIndex(QInLevel::Line); });
    m_status->setText(tr("All inputs set to Line."));
}

void FactoryTestWindow::muteAll(bool mute)
{
    forEachChannel([this, mute](int c) {
        if (m_page->muteButton(c)->isChecked() != mute)
            m_page->muteButton(c)->click();
    });
    m_status->setText(mute ? tr("All inputs muted.") : tr("All inputs unmuted."));
}

void FactoryTestWindow::setAllGains(float total)
{
    forEachChannel([this, total](int c) { m_page->setGainFromOperator(c, total); });
    m_status->setText(tr("Gains set; they are sent 100 ms after this change."));
}
