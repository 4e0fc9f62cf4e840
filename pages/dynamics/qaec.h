#pragma once

#include "pages/blockpage.h"
#include "protocol/commands.h"

#include <array>

class QLabel;
class QPushButton;

// The acoustic echo canceller: one switch, and a picture of how the unit
// routes the far end (the video conference terminal) and the local room
// around it. The switch shows the unit's state. A unit without an echo canceller refuses the read;
// the switch is then disabled until the unit answers it again.
class QAec final : public BlockPage
{
    Q_OBJECT
    Q_DISABLE_COPY(QAec)

public:
    static constexpr quint8 Module = Proto::Module::Aec;
    static constexpr char PictureResource[] = ":/image/AecFrame";

    explicit QAec(QWidget *parent = nullptr);

    void refresh() override;
    void receive(quint8 cmd, quint8 flag, quint16 length, const QByteArray &payload) override;

    bool isEnabledOnUnit() const;
    QPushButton *enableButton() const { return m_enableButton; }
    QLabel *picture() const { return m_picture; }

public slots:
    void enableClicked(bool enable);

protected:
    void retranslate() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPicture();

    const int m_enableParam; // in the unit's state
    QPushButton *m_enableButton;
    QLabel *m_picture;
    std::array<QLabel *, 4> m_captions{};
};
