#pragma once

#include <QWidget>

class QPushButton;

// "All Mute" tab: the unit's global mute, on or off.
class AllMuteCmdWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(AllMuteCmdWidget)

public:
    explicit AllMuteCmdWidget(QWidget *parent = nullptr);

    bool isAllMute() const;

signals:
    void sigMuteGenClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();

    QPushButton *m_muteButton;
    QPushButton *m_generateButton;
};
