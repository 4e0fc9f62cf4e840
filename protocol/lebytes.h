#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstring>
#include <type_traits>

// Little-endian values in payloads. Readers take a byte array and an offset and
// return a default value when the offset lies outside the array, so a short
// payload can never be read past its end.
namespace Le {

template <typename T> T get(const char *p)
{
    static_assert(std::is_arithmetic_v<T>, "arithmetic types only");
    if constexpr (std::is_floating_point_v<T>) {
        using U = std::conditional_t<sizeof(T) == 4, quint32, quint64>;
        const U bits = qFromLittleEndian<U>(p);
        T value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    } else {
        return qFromLittleEndian<T>(p);
    }
}

template <typename T> T get(const QByteArray &bytes, int offset, T fallback = T())
{
    if (offset < 0 || offset + int(sizeof(T)) > bytes.size())
        return fallback;
    return get<T>(bytes.constData() + offset);
}

template <typename T> void put(char *p, T value)
{
    static_assert(std::is_arithmetic_v<T>, "arithmetic types only");
    if constexpr (std::is_floating_point_v<T>) {
        using U = std::conditional_t<sizeof(T) == 4, quint32, quint64>;
        U bits;
        std::memcpy(&bits, &value, sizeof bits);
        qToLittleEndian<U>(bits, p);
    } else {
        qToLittleEndian<T>(value, p);
    }
}

template <typename T> void append(QByteArray &bytes, T value)
{
    char buf[sizeof(T)];
    put<T>(buf, value);
    bytes.append(buf, int(sizeof(T)));
}

// Builds a payload from a list of values: Le::bytes(quint8(2), 1.5f).
template <typename... Ts> QByteArray bytes(Ts... values)
{
    QByteArray out;
    out.reserve(int((sizeof(Ts) + ... + 0)));
    (append(out, values), ...);
    return out;
}

} // namespace Le
