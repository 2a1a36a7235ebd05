#pragma once
// Fixed-point money: an integer count of 1/10000, never binary floating point.
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace zx {

class Money {
public:
    static constexpr int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(int64_t tenThousandths) { return Money(tenThousandths); }
    static constexpr Money fromCents(int64_t cents) { return Money(cents * 100); }
    static constexpr Money fromUnits(int64_t units) { return Money(units * kScale); }

    // Reads "1.234,56", "1234,56", "-12,5" and "1234.56": a comma is the decimal
    // separator; without one, a single point followed by other than three digits
    // is, otherwise points group thousands. Up to four decimals are kept, a fifth
    // rounds half away from zero. Empty or malformed text gives nullopt.
    static std::optional<Money> parse(const QString &text);
    // Program format: "1.234,56" with the given number of decimals (rounded half away
    // from zero), thousands separator optional.
    QString format(int decimals = 2, bool thousands = true) const;
    // "1234.56": what SQL and the wire take when they want a point.
    QString formatPoint(int decimals = 2) const;

    constexpr int64_t raw() const { return m_v; }
    // Whole cents, rounded half away from zero.
    int64_t cents() const;
    Money rounded(int decimals = 2) const;

    constexpr bool isZero() const { return m_v == 0; }
    constexpr bool isNegative() const { return m_v < 0; }

    constexpr Money operator+(Money o) const { return Money(m_v + o.m_v); }
    constexpr Money operator-(Money o) const { return Money(m_v - o.m_v); }
    constexpr Money operator-() const { return Money(-m_v); }
    constexpr Money operator*(int64_t n) const { return Money(m_v * n); }
    Money &operator+=(Money o) { m_v += o.m_v; return *this; }
    Money &operator-=(Money o) { m_v -= o.m_v; return *this; }
    // Multiplies by a rate given in ten-thousandths (e.g. 1,5% = 150 -> rate 0.015 = 150/10000),
    // rounding the result to the scale half away from zero.
    Money mulRate(int64_t rateTenThousandths) const;
    // Divides into n parts, rounded to the scale half away from zero.
    Money divided(int64_t n) const;

    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(int64_t v) : m_v(v) {}
    int64_t m_v = 0;
};

} // namespace zx
