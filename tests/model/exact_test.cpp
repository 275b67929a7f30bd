// Randomized checks of the wide-exponent arithmetic, the cents rounding and
// whole calculations against an exact evaluation with big integers, so that
// the rounding of every intermediate step is checked, not just typical values.

#include "crossover.h"
#include "display.h"
#include "wide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// An unsigned integer with just the operations exact rounding needs. The
// largest numbers here are powers of two up to about 2^1100 that scale the
// smallest doubles; fixed storage keeps the many small operations quick.
class BigUint
{
public:
    BigUint(std::uint64_t value = 0) // NOLINT(google-explicit-constructor)
    {
        for (; value != 0; value >>= 32)
            m_limbs[m_size++] = static_cast<std::uint32_t>(value);
    }

    int bitLength() const
    {
        return m_size == 0 ? 0 : 32 * (m_size - 1) + std::bit_width(m_limbs[m_size - 1]);
    }

    friend BigUint operator*(const BigUint& a, const BigUint& b)
    {
        BigUint product;
        product.resize(a.m_size + b.m_size);
        std::uint32_t* limb = product.m_limbs;
        for (int i = 0; i < a.m_size; ++i) {
            std::uint64_t carry = 0;
            for (int j = 0; j < b.m_size; ++j) {
                carry += std::uint64_t{a.m_limbs[i]} * b.m_limbs[j] + limb[i + j];
                limb[i + j] = static_cast<std::uint32_t>(carry);
                carry >>= 32;
            }
            limb[i + b.m_size] = static_cast<std::uint32_t>(carry);
        }
        product.trim();
        return product;
    }

    BigUint operator<<(int bits) const
    {
        BigUint shifted;
        shifted.resize(m_size + bits / 32 + 1);
        std::uint64_t carry = 0;
        for (int i = 0; i < m_size; ++i) {
            const std::uint64_t wide = (std::uint64_t{m_limbs[i]} << (bits % 32)) | carry;
            shifted.m_limbs[i + bits / 32] = static_cast<std::uint32_t>(wide);
            carry = wide >> 32;
        }
        shifted.m_limbs[m_size + bits / 32] = static_cast<std::uint32_t>(carry);
        shifted.trim();
        return shifted;
    }

    // Requires b <= *this.
    BigUint& operator-=(const BigUint& b)
    {
        std::uint32_t* limb = m_limbs;
        std::int64_t borrow = 0;
        for (int i = 0; i < m_size && (borrow != 0 || i < b.m_size); ++i) {
            const std::int64_t digit = std::int64_t{limb[i]} - borrow - b.m_limbs[i];
            limb[i] = static_cast<std::uint32_t>(digit); // modulo 2^32
            borrow = digit < 0 ? 1 : 0;
        }
        trim();
        return *this;
    }

    // Drops the lowest bit.
    void halve()
    {
        std::uint32_t* limb = m_limbs;
        for (int i = 0; i < m_size; ++i)
            limb[i] = (limb[i] >> 1) | (i + 1 < m_size ? limb[i + 1] << 31 : 0);
        trim();
    }

    friend bool operator==(const BigUint&, const BigUint&) = default;
    friend std::strong_ordering operator<=>(const BigUint& a, const BigUint& b)
    {
        if (a.m_size != b.m_size)
            return a.m_size <=> b.m_size;
        for (int i = a.m_size; i-- > 0;) {
            if (a.m_limbs[i] != b.m_limbs[i])
                return a.m_limbs[i] <=> b.m_limbs[i];
        }
        return std::strong_ordering::equal;
    }

private:
    static constexpr int capacity = 40;

    void resize(int size)
    {
        if (size > capacity)
            throw std::length_error("BigUint too small for this test");
        m_size = size;
    }

    void trim()
    {
        while (m_size > 0 && m_limbs[m_size - 1] == 0)
            --m_size;
    }

    // Least significant first; the limbs from m_size on are 0.
    std::uint32_t m_limbs[capacity] = {};
    int m_size = 0;
};

// num / den rounded to the nearest whole number, ties to even, by shift and
// subtract. Every quotient asked for here has fewer than 62 bits.
std::uint64_t divideRounded(BigUint num, const BigUint& den)
{
    std::uint64_t quotient = 0;
    int bit = num.bitLength() - den.bitLength();
    if (bit >= 0) {
        for (BigUint part = den << bit; bit >= 0; --bit, part.halve()) {
            if (part <= num) {
                num -= part;
                quotient |= std::uint64_t{1} << bit;
            }
        }
    }
    const auto twiceRemainder = (num << 1) <=> den;
    if (twiceRemainder > 0 || (twiceRemainder == 0 && quotient % 2 == 1))
        ++quotient;
    return quotient;
}

// The exact value num / den * 2^exp.
struct Exact
{
    BigUint num;
    BigUint den = 1;
    int exp = 0;
};

// m * 2^e; rounded to double precision, 2^52 <= m < 2^53 (or m = 0) with
// an unbounded exponent.
struct Binary
{
    std::uint64_t m = 0;
    int e = 0;
};

// A positive finite double's exact value, read from its bits.
Binary exactValue(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0)
        return {fraction, -1074}; // subnormal
    return {fraction | std::uint64_t{1} << 52, biased - 1075};
}

// The exact value scaled by 2^shift, as a fraction.
std::pair<BigUint, BigUint> scaled(const Exact& x, int shift)
{
    if (shift >= 0)
        return {x.num << shift, x.den};
    return {x.num, x.den << -shift};
}

Binary round53(const Exact& x)
{
    if (x.num == 0)
        return {};
    // Choose the scale that puts the quotient in [2^52, 2^53), then round it to a whole number.
    int shift = 53 - (x.num.bitLength() - x.den.bitLength());
    auto fraction = scaled(x, shift);
    if (fraction.first >= fraction.second << 53)
        fraction = scaled(x, --shift);
    std::uint64_t m = divideRounded(fraction.first, fraction.second);
    if (m == std::uint64_t{1} << 53) { // rounded up to the next power of two
        m >>= 1;
        --shift;
    }
    return {m, x.exp - shift};
}

// A double's value is rounded already, unless it is subnormal.
Binary normalised(Binary x)
{
    if (x.m == 0 || x.m >= std::uint64_t{1} << 52)
        return x;
    return round53({x.m, 1, x.e});
}

// The double a value is stored as: nothing beyond DBL_MAX, rounded once more
// when subnormal.
std::optional<double> storedDouble(Binary x)
{
    if (x.m == 0)
        return 0.0;
    const int biased = x.e + 1075; // the exponent field it would have
    if (biased > 2046)
        return std::nullopt;
    if (biased >= 1)
        return std::bit_cast<double>(std::uint64_t(biased) << 52 |
                                     (x.m - (std::uint64_t{1} << 52)));
    // A whole number of 2^-1074; 2^52 of them is the smallest normal double,
    // whose bit pattern is that very count.
    return std::bit_cast<double>(divideRounded(x.m, BigUint(1) << (1 - biased)));
}

// Wide's rules carried out exactly: each operation rounds its exact result.
// It also notes whether any value on the way was outside a double's normal range.
class ExactWide
{
public:
    static constexpr int aboveDblMax = 1, belowDblMin = 2; // flags of excursions()

    ExactWide(double value) // NOLINT(google-explicit-constructor): formulas read as written
        : ExactWide(normalised(exactValue(value)), 0)
    {
    }

    friend ExactWide operator*(const ExactWide& a, const ExactWide& b)
    {
        return {round53({BigUint(a.m_value.m) * b.m_value.m, 1, a.m_value.e + b.m_value.e}),
                a.m_excursions | b.m_excursions};
    }
    friend ExactWide operator/(const ExactWide& a, const ExactWide& b)
    {
        return {round53({a.m_value.m, b.m_value.m, a.m_value.e - b.m_value.e}),
                a.m_excursions | b.m_excursions};
    }

    std::optional<double> toDouble() const { return storedDouble(m_value); }
    int excursions() const { return m_excursions; }

private:
    ExactWide(Binary value, int excursions) : m_value(value), m_excursions(excursions)
    {
        const int biased = value.e + 1075; // the exponent field, as in storedDouble
        if (biased > 2046)
            m_excursions |= aboveDblMax;
        if (value.m != 0 && biased < 1)
            m_excursions |= belowDblMin;
    }

    Binary m_value;
    int m_excursions;
};

// The value rounded to whole cents, halves to even, then the double nearest to that.
double exactCents(double x)
{
    const Binary value = exactValue(x);
    if (value.e >= 0)
        return x; // whole already
    const std::uint64_t cents = divideRounded(BigUint(value.m) * 100, BigUint(1) << -value.e);
    return *storedDouble(round53({cents, 100, 0}));
}

// The formula chains, evaluated with Wide, ExactWide or plain double.
const double sqrt2 = std::sqrt(2.0);

template <class N> N inductor(double f, double r, double c)
{
    return N(r) / (N(f) * c) * 1000;
}
template <class N> N capacitor(double f, double r, double c)
{
    return N(1) / (N(f) * c * r) * 1000000;
}
template <class N> N scaledInductor(double f, double r, double k)
{
    return N(r) * k / (N(f) * 6.28) * 1000;
}
template <class N> N sqrt2Capacitor(double f, double r)
{
    return N(1) / (N(2 * sqrt2) * 3.14 * f * r) * 1000000;
}

class Inputs
{
public:
    int whole(int low, int high) { return std::uniform_int_distribution(low, high)(m_engine); }
    std::uint64_t bits() { return m_engine(); }

    // A random whole number of `count` digits, converted as an entry box does;
    // drawn again while it is too large for a double.
    double digits(int count)
    {
        for (;;) {
            std::string text(static_cast<std::size_t>(count), '0');
            char* digit = text.data();
            digit[0] = static_cast<char>('1' + m_engine() % 9);
            for (int i = 1; i < count; ++i)
                digit[i] = static_cast<char>('0' + m_engine() % 10);
            double value = 0;
            if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc())
                return value;
        }
    }

private:
    std::mt19937_64 m_engine{20240611};
};

// Compared bit for bit, so that even the last bit counts.
std::optional<std::uint64_t> bits(std::optional<double> value)
{
    return value ? std::optional(std::bit_cast<std::uint64_t>(*value)) : std::nullopt;
}

// For failure messages; %a shows the exact binary value.
std::string text(std::optional<double> value)
{
    if (!value)
        return "overflow";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g (%a)", *value, *value);
    return buffer;
}

// How the exact evaluations went: counting them shows each kind of input
// really reached the case it is meant for.
struct Tally
{
    int inRange = 0;   // no value on the way left a double's normal range
    int fromAbove = 0; // a value on the way was beyond DBL_MAX, the finished one is normal
    int fromBelow = 0; // a value on the way was below DBL_MIN, the finished one is normal
    int tiny = 0;      // the finished value is subnormal or 0
    int overflowed = 0;
};

void check(const char* chain, double f, double r, double constant, const Wide& wide,
           const ExactWide& exact, double plain, Tally& tally)
{
    const auto want = exact.toDouble();
    EXPECT_EQ(bits(wide.toDouble()), bits(want))
        << chain << " with f = " << text(f) << ", r = " << text(r) << ", constant "
        << text(constant) << ": Wide gives " << text(wide.toDouble()) << ", exact " << text(want);
    if (exact.excursions() == 0) {
        // In range, plain doubles round alike: this checks the exact evaluation itself.
        EXPECT_EQ(bits(plain), bits(want))
            << chain << " with f = " << text(f) << ", r = " << text(r);
        ++tally.inRange;
    } else if (!want) {
        ++tally.overflowed;
    } else if (*want < DBL_MIN) {
        ++tally.tiny;
    } else {
        tally.fromAbove += (exact.excursions() & ExactWide::aboveDblMax) != 0;
        tally.fromBelow += (exact.excursions() & ExactWide::belowDblMin) != 0;
    }
}

void checkEveryChain(double f, double r, Tally& tally)
{
    for (const double c : {6.28, 3.14, 4.71, 9.42}) {
        check("r / (f * c) * 1000", f, r, c, inductor<Wide>(f, r, c), inductor<ExactWide>(f, r, c),
              inductor<double>(f, r, c), tally);
        check("1 / (f * c * r) * 1000000", f, r, c, capacitor<Wide>(f, r, c),
              capacitor<ExactWide>(f, r, c), capacitor<double>(f, r, c), tally);
    }
    for (const double k : {1.5, 0.5, 0.75, sqrt2})
        check("r * k / (f * 6.28) * 1000", f, r, k, scaledInductor<Wide>(f, r, k),
              scaledInductor<ExactWide>(f, r, k), scaledInductor<double>(f, r, k), tally);
    check("1 / (2 sqrt2 * 3.14 * f * r) * 1000000", f, r, 3.14, sqrt2Capacitor<Wide>(f, r),
          sqrt2Capacitor<ExactWide>(f, r), sqrt2Capacitor<double>(f, r), tally);
}

TEST(ExactChains, AudioValuesRoundLikeDoubleArithmetic)
{
    Inputs in;
    Tally tally;
    for (int i = 0; i < 600; ++i)
        checkEveryChain(in.whole(20, 40000), in.whole(1, 100), tally);
    EXPECT_EQ(tally.inRange, 600 * 13);
}

TEST(ExactChains, WholeNumbersOfAnyLengthRoundEveryStep)
{
    Inputs in;
    Tally tally;
    for (int i = 0; i < 600; ++i)
        checkEveryChain(in.digits(in.whole(1, 309)), in.digits(in.whole(1, 309)), tally);
    EXPECT_GT(tally.inRange, 0);
    EXPECT_GT(tally.tiny, 0);
}

// A huge impedance over a small frequency: r * k may pass DBL_MAX on the way
// while the finished inductance fits, or the inductance itself overflows.
TEST(ExactChains, IntermediatesBeyondDblMaxAndOverflowingResults)
{
    Inputs in;
    Tally tally;
    for (int i = 0; i < 600; ++i)
        checkEveryChain(in.digits(in.whole(1, 6)), in.digits(in.whole(300, 309)), tally);
    EXPECT_GT(tally.fromAbove, 0);
    EXPECT_GT(tally.overflowed, 0);
}

// f * r near 10^310 and beyond: 1 / (f * c * r) falls below DBL_MIN before the
// factor 1000000 brings it back, or the capacitance ends subnormal or 0.
TEST(ExactChains, IntermediatesBelowDblMinAndSubnormalResults)
{
    Inputs in;
    Tally tally;
    for (int i = 0; i < 600; ++i) {
        const int length = in.whole(1, 309);
        const int total = in.whole(std::max(300, length + 1), std::min(335, length + 309));
        checkEveryChain(in.digits(length), in.digits(total - length), tally);
    }
    EXPECT_GT(tally.fromBelow, 0);
    EXPECT_GT(tally.tiny, 0);
}

// Doubles at the edges of the normal range, where Wide passes between
// handling the bits itself and leaving subnormals and the top binade to the
// maths library.
class WideEdgeTest : public testing::TestWithParam<double>
{
};

TEST_P(WideEdgeTest, ComesBackUnchangedWithEitherSign)
{
    const double x = GetParam();
    EXPECT_EQ(bits(Wide(x).toDouble()), bits(x)) << text(x);
    EXPECT_EQ(bits(Wide(-x).toDouble()), bits(-x)) << text(-x);
}

TEST_P(WideEdgeTest, ProductsAndQuotientsRoundLikeTheExactEvaluation)
{
    const double x = GetParam();
    for (const double k : {0.5, 2.0, 0.75, 1.5, 3.0, 1 / 3.0, 1000.0}) {
        EXPECT_EQ(bits((Wide(x) * k).toDouble()), bits((ExactWide(x) * k).toDouble()))
            << text(x) << " * " << text(k);
        EXPECT_EQ(bits((Wide(x) / k).toDouble()), bits((ExactWide(x) / k).toDouble()))
            << text(x) << " / " << text(k);
    }
}

INSTANTIATE_TEST_SUITE_P(NormalRange, WideEdgeTest,
                         testing::Values(DBL_TRUE_MIN, 3 * DBL_TRUE_MIN,
                                         std::nextafter(DBL_MIN, 0.0), DBL_MIN,
                                         std::nextafter(DBL_MIN, 1.0), 0x1p-1021, 0x1.8p-1021, 0.5,
                                         1.0, 0x1p1022, std::nextafter(0x1p1023, 0.0), 0x1p1023,
                                         0x1.8p1023, DBL_MAX));

TEST(WideEdges, InfinityNanAndDivisionByZeroGiveNoDouble)
{
    EXPECT_EQ(Wide(HUGE_VAL).toDouble(), std::nullopt);
    EXPECT_EQ(Wide(-HUGE_VAL).toDouble(), std::nullopt);
    EXPECT_EQ(Wide(NAN).toDouble(), std::nullopt);
    EXPECT_EQ((Wide(HUGE_VAL) / 2).toDouble(), std::nullopt);
    EXPECT_EQ((Wide(2) * HUGE_VAL).toDouble(), std::nullopt);
    EXPECT_EQ((Wide(1) / 0.0).toDouble(), std::nullopt);
    EXPECT_EQ((Wide(0.0) / 3).toDouble(), 0.0);
    EXPECT_EQ((Wide(0.0) * DBL_MAX * DBL_MAX).toDouble(), 0.0);
}

void expectExactCents(double x)
{
    EXPECT_EQ(bits(roundToCents(x)), bits(exactCents(x)))
        << text(x) << " gives " << text(roundToCents(x)) << ", exact " << text(exactCents(x));
}

TEST(ExactCents, ReferenceRoundsTheDocumentedExamples)
{
    EXPECT_EQ(exactCents(0.125), 0.12);
    EXPECT_EQ(exactCents(0.375), 0.38);
    EXPECT_EQ(exactCents(1.115), 1.11);
    EXPECT_EQ(exactCents(39.808917), 39.81);
}

TEST(ExactCents, RandomDoublesAcrossTheWholeRange)
{
    Inputs in;
    const std::uint64_t infinityBits = std::bit_cast<std::uint64_t>(HUGE_VAL);
    for (int i = 0; i < 10000; ++i)
        expectExactCents(std::bit_cast<double>(in.bits() % infinityBits));
    // Exponents from 2^-20 to 2^52, where the cents actually matter.
    for (int i = 0; i < 10000; ++i) {
        const std::uint64_t exponent = static_cast<std::uint64_t>(in.whole(1003, 1075));
        expectExactCents(std::bit_cast<double>(exponent << 52 | in.bits() >> 12));
    }
}

// Up to 2^53 cents the nearest double comes from one division, above from
// decimal conversion; from 2^52 on every double is whole.
TEST(ExactCents, ValuesAroundTheSwitchesOfMethod)
{
    for (const double x : {0x1p53 / 100, 0x1p52, 1e13, 1e14, 0x1p46, 0x1p47, 1e15})
        for (const double near :
             {std::nextafter(std::nextafter(x, 0.0), 0.0), std::nextafter(x, 0.0), x,
              std::nextafter(x, HUGE_VAL), std::nextafter(std::nextafter(x, HUGE_VAL), HUGE_VAL)}) {
            expectExactCents(near);
            EXPECT_EQ(bits(roundToCents(-near)), bits(-exactCents(near))) << text(-near);
        }
}

// k.kk5 is never exact in binary, so its stored value decides the direction.
TEST(ExactCents, ValuesNearHalfACent)
{
    Inputs in;
    for (int i = 0; i < 5000; ++i) {
        const double x = (10.0 * in.whole(0, 1000000000) + 5) / 1000;
        expectExactCents(x);
        expectExactCents(std::nextafter(x, 0.0));
        expectExactCents(std::nextafter(x, HUGE_VAL));
    }
}

// Only n + odd eighths are exactly halfway between two cents.
TEST(ExactCents, ExactTiesGoToTheEvenCent)
{
    Inputs in;
    for (int i = 0; i < 5000; ++i)
        expectExactCents(static_cast<double>(in.bits() >> 24) + (2 * in.whole(0, 3) + 1) / 8.0);
}

// The results one Calculate should give, from the exact evaluation, as
// "place text" lines, the place in the crossover's results, ending in
// "overflow" where a value is too large for a double.
class ExpectedWrites
{
public:
    void show(std::size_t result, const ExactWide& value)
    {
        if (!lines.empty() && lines.back() == "overflow")
            return;
        const auto stored = value.toDouble();
        // The value decides; the cents rounding is checked above and the text
        // form by the display tests, so showResult itself may format it.
        lines.push_back(stored ? std::to_string(result) + " " + showResult(*stored, ".")
                               : "overflow");
    }

    std::vector<std::string> lines;
};

std::vector<std::string> linesOf(const Calculation& calculation)
{
    std::vector<std::string> lines;
    for (const ResultValue& result : calculation.results)
        lines.push_back(std::to_string(result.result) + " " + result.text);
    if (calculation.overflowed)
        lines.emplace_back("overflow");
    return lines;
}

using X = ExactWide;

std::vector<std::string> expectedFirstOrder(const Values& m)
{
    ExpectedWrites out;
    if (m.fc != 0 && m.rvg != 0)
        out.show(0, inductor<X>(m.fc, m.rvg, 6.28));
    if (m.fc1 != 0 && m.fc2 != 0 && m.rvg1 != 0) {
        out.show(1, capacitor<X>(m.fc1, m.rvg1, 6.28));
        out.show(2, inductor<X>(m.fc2, m.rvg1, 6.28));
    }
    if (m.fc3 != 0 && m.rvg2 != 0)
        out.show(3, capacitor<X>(m.fc3, m.rvg2, 6.28));
    return out.lines;
}

std::vector<std::string> expectedSecondOrder(const Values& m)
{
    ExpectedWrites out;
    if (m.fc != 0 && m.rvg != 0) {
        out.show(0, sqrt2Capacitor<X>(m.fc, m.rvg));
        out.show(1, scaledInductor<X>(m.fc, m.rvg, sqrt2));
    }
    if (m.fc1 != 0 && m.fc2 != 0 && m.rvg1 != 0) {
        out.show(2, sqrt2Capacitor<X>(m.fc1, m.rvg1));
        out.show(3, sqrt2Capacitor<X>(m.fc2, m.rvg1));
        out.show(4, scaledInductor<X>(m.fc2, m.rvg1, sqrt2));
        out.show(5, scaledInductor<X>(m.fc1, m.rvg1, sqrt2));
    }
    if (m.fc3 != 0 && m.rvg2 != 0) {
        out.show(6, sqrt2Capacitor<X>(m.fc3, m.rvg2));
        out.show(7, scaledInductor<X>(m.fc3, m.rvg2, sqrt2));
    }
    return out.lines;
}

std::vector<std::string> expectedThirdOrder(const Values& m)
{
    ExpectedWrites out;
    if (m.fc != 0 && m.rvg != 0) {
        out.show(0, capacitor<X>(m.fc, m.rvg, 4.71));
        out.show(1, scaledInductor<X>(m.fc, m.rvg, 1.5));
        out.show(2, scaledInductor<X>(m.fc, m.rvg, 0.5));
    }
    if (m.fc1 != 0 && m.fc2 != 0 && m.rvg1 != 0) {
        out.show(3, capacitor<X>(m.fc1, m.rvg1, 9.42));
        out.show(4, capacitor<X>(m.fc1, m.rvg1, 3.14));
        out.show(5, capacitor<X>(m.fc2, m.rvg1, 4.71));
        out.show(6, scaledInductor<X>(m.fc2, m.rvg1, 1.5));
        out.show(7, scaledInductor<X>(m.fc2, m.rvg1, 0.5));
        out.show(8, scaledInductor<X>(m.fc1, m.rvg1, 0.75));
    }
    if (m.fc3 != 0 && m.rvg2 != 0) {
        out.show(9, capacitor<X>(m.fc3, m.rvg2, 9.42));
        out.show(10, capacitor<X>(m.fc3, m.rvg2, 3.14));
        out.show(11, scaledInductor<X>(m.fc3, m.rvg2, 0.75));
    }
    return out.lines;
}

// Zero (a skipped group), a short number, any length, or a huge one.
double randomValue(Inputs& in)
{
    switch (in.whole(0, 3)) {
    case 0:
        return 0;
    case 1:
        return in.digits(in.whole(1, 5));
    case 2:
        return in.digits(in.whole(1, 309));
    default:
        return in.digits(in.whole(300, 309));
    }
}

void checkRandomCalculations(Slope slope, std::vector<std::string> (*expected)(const Values&))
{
    Inputs in;
    int overflows = 0;
    for (int run = 0; run < 1000; ++run) {
        Values v;
        for (const Input& input : crossover(slope).inputs)
            v.*input.value = randomValue(in);
        const auto want = expected(v);
        EXPECT_EQ(linesOf(crossover(slope).calculate(v, ".")), want)
            << "fc " << text(v.fc) << ", rvg " << text(v.rvg) << ", fc1 " << text(v.fc1) << ", fc2 "
            << text(v.fc2) << ", rvg1 " << text(v.rvg1) << ", fc3 " << text(v.fc3) << ", rvg2 "
            << text(v.rvg2);
        overflows += !want.empty() && want.back() == "overflow";
    }
    EXPECT_GT(overflows, 0);
}

TEST(ExactModel, FirstOrderWritesMatchTheExactEvaluation)
{
    checkRandomCalculations(Slope::First, expectedFirstOrder);
}

TEST(ExactModel, SecondOrderWritesMatchTheExactEvaluation)
{
    checkRandomCalculations(Slope::Second, expectedSecondOrder);
}

TEST(ExactModel, ThirdOrderWritesMatchTheExactEvaluation)
{
    checkRandomCalculations(Slope::Third, expectedThirdOrder);
}

} // namespace
