#pragma once

#include <QDialog>

class QInLevel;
class QLabel;

// A small production aid on the input level page (Ctrl+T): switches all inputs
// at once through the page's own controls, so the page and the unit stay in step.
class FactoryTestWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(FactoryTestWindow)

public:
    explicit FactoryTestWindow(QInLevel *page);

private:
    void forEachChannel(const std::function<void(int)> &action);
    void allMicWithPhantom();
    void allLine();
    void muteAll(bool mute);
    void setAllGains(float total);

    QInLevel *m_page;
    QLabel *m_status;
};
