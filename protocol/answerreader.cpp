#include "protocol/answerreader.h"

#include "protocol/frame.h"
#include "protocol/lebytes.h"
#include "protocol/localtext.h"

#include <cmath>

namespace {
const QByteArray EmptyPayload;
}

AnswerReader::AnswerReader(quint8 flag, quint16 length, const QByteArray &payload)
    : m_flag(flag), m_length(length), m_payload(payload)
{
}

bool AnswerReader::exact(int length)
{
    m_valid = m_flag == Proto::FlagAnswer && m_length == length && m_payload.size() == length;
    return m_valid;
}

bool AnswerReader::atLeast(int length)
{
    m_valid =
        m_flag == Proto::FlagAnswer && m_length >= length && m_payload.size() == int(m_length);
    return m_valid;
}

bool AnswerReader::isRefused() const
{
    return m_flag == Proto::FlagRefused;
}

const QByteArray &AnswerReader::payload() const
{
    return m_valid ? m_payload : EmptyPayload;
}

bool AnswerReader::inside(int offset, int count) const
{
    return m_valid && offset >= 0 && count >= 0 && offset + count <= m_payload.size();
}

quint8 AnswerReader::u8(int offset) const
{
    return inside(offset, 1) ? quint8(m_payload.at(offset)) : 0;
}

qint8 AnswerReader::i8(int offset) const
{
    return qint8(u8(offset));
}

quint16 AnswerReader::u16(int offset) const
{
    return inside(offset, 2) ? Le::get<quint16>(m_payload.constData() + offset) : 0;
}

quint32 AnswerReader::u32(int offset) const
{
    return inside(offset, 4) ? Le::get<quint32>(m_payload.constData() + offset) : 0;
}

float AnswerReader::f32(int offset) const
{
    return inside(offset, 4) ? Le::get<float>(m_payload.constData() + offset) : 0.0f;
}

QByteArray AnswerReader::bytes(int offset, int count) const
{
    return inside(offset, count) ? m_payload.mid(offset, count) : QByteArray();
}

QString AnswerReader::text(int offset, int width) const
{
    if (!inside(offset, 0) || width <= 0)
        return QString();
    return LocalText::decodeField(m_payload, offset, qMin(width, int(m_payload.size()) - offset));
}

std::optional<quint8> AnswerReader::index(int offset, int count) const
{
    if (!inside(offset, 1) || int(quint8(m_payload.at(offset))) >= count)
        return std::nullopt;
    return quint8(m_payload.at(offset));
}

std::optional<float> AnswerReader::real(int offset, float lo, float hi) const
{
    if (!inside(offset, 4))
        return std::nullopt;
    const float v = f32(offset);
    if (!std::isfinite(v))
        return std::nullopt;
    return qBound(lo, v, hi);
}

std::optional<int> AnswerReader::truncated(int offset, int lo, int hi) const
{
    const std::optional<float> v = real(offset, float(lo), float(hi));
    if (!v)
        return std::nullopt;
    return qBound(lo, int(std::trunc(*v)), hi);
}

std::optional<int> AnswerReader::rounded(int offset, int lo, int hi) const
{
    const std::optional<float> v = real(offset, float(lo), float(hi));
    if (!v)
        return std::nullopt;
    return qBound(lo, int(std::round(*v)), hi);
}

int Proto::clampToInt(double value, int lo, int hi, int fallback)
{
    if (!std::isfinite(value))
        return fallback;
    return qBound(lo, int(std::trunc(qBound(double(lo), value, double(hi)))), hi);
}
