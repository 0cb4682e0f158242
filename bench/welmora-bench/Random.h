#pragma once
#include <QString>

#include <cmath>
#include <random>

namespace wel::bench {

// The generator's one source of chance, seeded so that a scale and a seed
// always give the same installation.
class Random {
public:
    explicit Random(quint64 seed) : m_engine(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
    qint64 between64(qint64 low, qint64 high) { return std::uniform_int_distribution<qint64>(low, high)(m_engine); }
    double unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }
    bool chance(double p) { return unit() < p; }
    int poisson(double mean) { return mean <= 0 ? 0 : std::poisson_distribution<int>(mean)(m_engine); }
    // Amounts of bills: most are small, a few are large.
    double logNormal(double median, double spread)
    {
        return median * std::exp(std::normal_distribution<double>(0.0, spread)(m_engine));
    }

    template <size_t N>
    QString pick(const char* const (&list)[N])
    {
        return QString::fromUtf8(list[std::uniform_int_distribution<size_t>(0, N - 1)(m_engine)]);
    }
    template <typename List>
    const auto& pickFrom(const List& list)
    {
        return list[std::uniform_int_distribution<qsizetype>(0, list.size() - 1)(m_engine)];
    }
    // Index into weights, chosen in proportion to them.
    template <size_t N>
    int weighted(const double (&weights)[N])
    {
        double total = 0;
        for (double w : weights)
            total += w;
        double x = unit() * total;
        for (size_t i = 0; i < N; ++i) {
            if (x < weights[i])
                return int(i);
            x -= weights[i];
        }
        return int(N - 1);
    }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + between(0, 9));
        return s;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace wel::bench
