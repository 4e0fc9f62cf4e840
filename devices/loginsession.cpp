#include "devices/loginsession.h"

#include "protocol/answerreader.h"
#include "protocol/commands.h"
#include "protocol/transport.h"

LoginSession::LoginSession(QObject *parent) : QObject(parent) {}

void LoginSession::setUnit(quint32 machineid)
{
    if (machineid != m_unit) {
        m_sent.clear();
        m_hasSent = false;
    }
    m_unit = machineid;
    m_loggedIn = false;
}

void LoginSession::connectionStarted()
{
    m_storedTried = false;
    m_loggedIn = false;
    // A new connection's first question is the unit asking, not a refusal
    // of what an earlier connection sent.
    m_hasSent = false;
}

void LoginSession::sendPassword(const QString &password)
{
    m_sent = password;
    m_hasSent = true;
    sendPacket(Proto::OpSystem, Proto::SysModule::Login, Proto::LoginCmd::Login, Proto::FlagWrite,
               password.toLatin1());
}

void LoginSession::storePassword(quint32 machineid, const QString &password)
{
    m_passwords.insert(machineid, password);
}

bool LoginSession::handleAnswer(const Proto::Frame &f)
{
    AnswerReader answer(f.flag, f.length, f.payload);
    if (f.cmd != Proto::LoginCmd::Login || !answer.exact(1))
        return false;
    if (answer.u8(0) != 0) {
        m_loggedIn = true;
        m_passwords.insert(m_unit, m_sent);
        emit loggedIn();
        return true;
    }
    m_loggedIn = false;
    // Try the password that worked before once per connection, then ask.
    const auto stored = m_passwords.constFind(m_unit);
    if (stored != m_passwords.cend() && !m_storedTried) {
        m_storedTried = true;
        sendPassword(stored.value());
        return true;
    }
    emit passwordRequired(m_hasSent);
    return true;
}
