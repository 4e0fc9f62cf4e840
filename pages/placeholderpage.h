#pragma once

#include "pages/blockpage.h"

class QLabel;

// Stands in for a block page this version does not offer yet. It reads and
// sends nothing.
class PlaceholderPage final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(PlaceholderPage)

public:
    explicit PlaceholderPage(const char *title, QWidget *parent = nullptr);

    void refresh() override {}
    void receive(quint8, quint8, quint16, const QByteArray &) override {}

protected:
    void retranslate() override;

private:
    const char *m_title;
    QLabel *m_label;
};
