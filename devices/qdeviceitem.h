#pragma once

#include <QFrame>

class ElidedLabel;
class QLabel;

// One unit in the main window's device list: model and state on the first
// line, the unit's location under it (what tells two units of one model
// apart), the address on its own line, the active preset and a fault mark
// when the unit reports one below. Texts that do not fit the list's width are
// shortened in the middle and shown whole in their tooltip, whatever the font.
//
// The state reads "Logging in…" from the connection until the login
// succeeds, so that the list says "Connected" exactly when the overview does.
class QDeviceItem final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY(QDeviceItem)

public:
    explicit QDeviceItem(QWidget *parent = nullptr);

    void setModel(const QString &model);
    void setLocation(const QString &location);
    void setAddress(quint32 address);
    void setPreset(const QString &preset);
    void setFault(quint8 fault);
    void setOnline(bool online);
    void setConnected(bool connected);
    // The program's own simulated unit (work offline): marked "Offline" in
    // a badge of its own, whatever its link.
    void setWorkingOffline(bool local);
    bool isWorkingOffline() const { return m_local; }
    // The unit is connected but not logged in yet (only the main window,
    // which logs in, says so).
    void setLoginPending(bool pending);

    bool isOnline() const { return m_online; }
    bool isConnected() const { return m_connected; }
    bool isLoginPending() const { return m_loginPending; }
    quint8 fault() const { return m_faultByte; }
    QString stateText() const;
    QString modelText() const;
    QString locationText() const;
    QString addressText() const;
    QString presetText() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateState();

    ElidedLabel *m_model;
    QLabel *m_state;
    ElidedLabel *m_location;
    ElidedLabel *m_address;
    ElidedLabel *m_preset;
    QLabel *m_faultLabel;
    bool m_online = false;
    bool m_connected = false;
    bool m_local = false;
    bool m_loginPending = false;
    quint8 m_faultByte = 0;
};
