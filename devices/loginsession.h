#pragma once

#include "protocol/frame.h"

#include <QHash>
#include <QObject>
#include <QString>

// The login with the current unit, without any widget: the unit asks with a
// login answer of zero, a login command carries the password, and a non-zero
// answer means logged in.
//
// A password that logged in is kept per unit (by machine id) for as long as
// this object lives, and tried once per connection before the operator is
// asked again, so a working password is never asked for twice. The main
// window asks through its login dialog; the command-line tool gives the
// password of its command line as the stored one.
class LoginSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LoginSession)

public:
    explicit LoginSession(QObject *parent = nullptr);

    // The unit whose connection is current (0: none). Choosing another unit
    // forgets the password sent to the previous one.
    void setUnit(quint32 machineid);
    quint32 unit() const { return m_unit; }
    // A new connection came up: the stored password may be tried once more.
    void connectionStarted();

    // Sends the login command with `password` (Latin-1; empty allowed).
    void sendPassword(const QString &password);
    // Keeps `password` as the one to try for `machineid` (a password change,
    // or one given in advance).
    void storePassword(quint32 machineid, const QString &password);
    bool hasStoredPassword(quint32 machineid) const { return m_passwords.contains(machineid); }
    QString storedPassword(quint32 machineid) const { return m_passwords.value(machineid); }

    // Takes a frame of the login module (op 2, module 1). Returns false when
    // it is not a login answer (another command, flag or length).
    bool handleAnswer(const Proto::Frame &frame);

    bool isLoggedIn() const { return m_loggedIn; }
    // The connection ended or another unit was chosen.
    void loggedOut() { m_loggedIn = false; }

signals:
    void loggedIn();
    // The unit asks for a password and no stored one is left to try.
    // `afterWrongPassword`: a password sent on this connection was refused.
    void passwordRequired(bool afterWrongPassword);

private:
    QHash<quint32, QString> m_passwords;
    QString m_sent;
    bool m_hasSent = false;
    bool m_storedTried = false;
    bool m_loggedIn = false;
    quint32 m_unit = 0;
};
