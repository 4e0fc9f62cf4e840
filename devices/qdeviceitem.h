#pragma once

#include <QFrame>

class ElidedLabel;
class QLabel;

// One unit in the main window's device list: model and state on the first
// line, the address on its own line, the active preset and a fault mark when
// the unit reports one below. Texts that do not fit the list's width are
// shortened with an ellipsis and shown whole in their tooltip, whatever the font.
class QDeviceItem final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY(QDeviceItem)

public:
    explicit QDeviceItem(QWidget *parent = nullptr);

    void setModel(const QString &model);
    void setAddress(quint32 address);
    void setPreset(const QString &preset);
    void setFault(quint8 fault);
    void setOnline(bool online);
    void setConnected(bool connected);
    // The program's own simulated unit (work offline): marked "Offline" in
    // a badge of its own, whatever its link.
    void setWorkingOffline(bool local);
    bool isWorkingOffline() const { return m_local; }

    bool isOnline() const { return m_online; }
    bool isConnected() const { return m_connected; }
    quint8 fault() const { return m_faultByte; }
    QString stateText() const;
    QString modelText() const;
    QString addressText() const;
    QString presetText() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateState();

    ElidedLabel *m_model;
    QLabel *m_state;
    ElidedLabel *m_address;
    ElidedLabel *m_preset;
    QLabel *m_faultLabel;
    bool m_online = false;
    bool m_connected = false;
    bool m_local = false;
    quint8 m_faultByte = 0;
};
