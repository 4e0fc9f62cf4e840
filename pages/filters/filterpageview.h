#pragma once

#include <QtGlobal>

#include <array>

struct CutFilterRecord;
struct PeqBandRecord;
class ChannelButtonRow;
class CutFilterPanel;
class FilterBandPanel;
class FilterGraph;
class QPushButton;
class QString;
class QWidget;

// What a filter page shows, built on the page: the channel buttons, the
// graph, the high-pass and low-pass panels, the band panel and the "Copy to"
// and "Reset" buttons. The page connects to the controls and decides what to
// show; the view lays the controls out and sets them without emitting
// anything.
class FilterPageView final
{
    Q_DISABLE_COPY(FilterPageView)

public:
    static constexpr int Bands = 16;

    // Builds the controls as children of `page` and gives `page` its layout.
    FilterPageView(const QString &channelPrefix, QWidget *page);

    FilterGraph *graph() const { return m_graph; }
    // 0 the high-pass, 1 the low-pass panel.
    CutFilterPanel *cutPanel(int which) const { return m_cutPanels[size_t(which)]; }
    FilterBandPanel *bandPanel() const { return m_bandPanel; }
    ChannelButtonRow *channels() const { return m_channels; }
    QPushButton *copyButton() const { return m_copy; }
    QPushButton *resetButton() const { return m_reset; }

    // A cut filter on its panel and on the graph.
    void showCut(int which, const CutFilterRecord &record);
    // A band on the graph and, when it is the selected band, on the panel.
    void showBand(int band, const PeqBandRecord &record, bool selected);
    // A band on the graph only.
    void drawBand(int band, const PeqBandRecord &record);
    // Makes `band` the selected band: its button, its values on the panel,
    // the graph's current handle.
    void selectBand(int band, const PeqBandRecord &record);
    // The controls of the records the page may edit.
    void setEditable(bool highPass, bool lowPass, bool band);
    // Shows band buttons 1..count and gives the graph the count; false when
    // the graph had it already.
    bool setBandCount(int count);
    // Fonts of the channel and action buttons (the page sets the texts).
    void setFonts();

private:
    FilterGraph *m_graph;
    std::array<CutFilterPanel *, 2> m_cutPanels{};
    FilterBandPanel *m_bandPanel;
    ChannelButtonRow *m_channels;
    QPushButton *m_copy;
    QPushButton *m_reset;
};
