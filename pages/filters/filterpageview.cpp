#include "pages/filters/filterpageview.h"

#include "pages/filters/channelbuttonrow.h"
#include "pages/filters/cutfilterpanel.h"
#include "pages/filters/filterbandpanel.h"
#include "pages/filters/filtergraph.h"
#include "pages/filters/filterrecords.h"
#include "widgets/appfont.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int KnobGainLimit = 15; // the graph's drag range, as the gain knob's
} // namespace

FilterPageView::FilterPageView(const QString &channelPrefix, QWidget *page)
    : m_graph(new FilterGraph(page)), m_bandPanel(new FilterBandPanel(page)),
      m_channels(new ChannelButtonRow(channelPrefix, page)), m_copy(new QPushButton(page)),
      m_reset(new QPushButton(page))
{
    m_cutPanels = {new CutFilterPanel(page), new CutFilterPanel(page)};

    m_graph->setGainLimits(KnobGainLimit, -KnobGainLimit);
    m_graph->setDivisions(6);
    m_graph->setMinimumHeight(200);
    for (QPushButton *b : {m_copy, m_reset}) {
        b->setFixedHeight(25);
        b->setMinimumWidth(56);
    }

    auto *cuts = new QVBoxLayout;
    cuts->setSpacing(3);
    cuts->addWidget(m_cutPanels[0]);
    cuts->addWidget(m_cutPanels[1]);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(3);
    middle->addWidget(m_graph, 1);
    middle->addLayout(cuts);

    // "Copy to" and "Reset" act on the whole channel: a panel of their own.
    auto *actions = new QWidget(page);
    actions->setObjectName(QStringLiteral("filterCtrlBgWidget"));
    actions->setAttribute(Qt::WA_StyledBackground);
    auto *actionColumn = new QVBoxLayout(actions);
    actionColumn->setContentsMargins(8, 6, 8, 6);
    actionColumn->setSpacing(6);
    actionColumn->addStretch(1);
    actionColumn->addWidget(m_copy);
    actionColumn->addWidget(m_reset);
    actionColumn->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(3);
    bottom->addWidget(m_bandPanel, 1);
    bottom->addWidget(actions);

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(2, 3, 2, 2);
    column->setSpacing(3);
    column->addWidget(m_channels);
    column->addLayout(middle, 1);
    column->addLayout(bottom);
}

void FilterPageView::showCut(int which, const CutFilterRecord &r)
{
    m_cutPanels[size_t(which)]->show(r);
    const bool bypass = !r.enable;
    if (which == 0)
        m_graph->setHPF(bypass, r.type, r.slope, r.frequency);
    else
        m_graph->setLPF(bypass, r.type, r.slope, r.frequency);
}

void FilterPageView::showBand(int band, const PeqBandRecord &r, bool selected)
{
    if (selected)
        m_bandPanel->show(r);
    drawBand(band, r);
}

void FilterPageView::drawBand(int band, const PeqBandRecord &r)
{
    m_graph->setBand(band, !r.enable, r.type, r.frequency, r.gain, r.drawnQ());
}

void FilterPageView::selectBand(int band, const PeqBandRecord &r)
{
    m_bandPanel->showSelected(band);
    m_bandPanel->show(r);
    m_graph->setCurrentHandle(band);
}

void FilterPageView::setEditable(bool highPass, bool lowPass, bool band)
{
    m_cutPanels[0]->setEnabled(highPass);
    m_cutPanels[1]->setEnabled(lowPass);
    m_bandPanel->setEditable(band);
}

bool FilterPageView::setBandCount(int count)
{
    count = qBound(1, count, int(Bands));
    if (m_graph->bandCount() == count)
        return false;
    m_graph->setBandCount(count);
    for (int b = 0; b < Bands; ++b)
        m_bandPanel->bandButton(b)->setVisible(b < count);
    return true;
}

void FilterPageView::setFonts()
{
    const QFont font = appFont(8);
    m_channels->setButtonFont(font);
    m_copy->setFont(font);
    m_reset->setFont(font);
    // As wide as the wider caption needs, in every language and font.
    const QFontMetrics metrics(font);
    int width = 56;
    for (QPushButton *b : {m_copy, m_reset})
        width = qMax(width, metrics.horizontalAdvance(b->text()) + 12);
    for (QPushButton *b : {m_copy, m_reset})
        b->setFixedWidth(width);
}
