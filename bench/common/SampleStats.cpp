#include "SampleStats.h"

#include <algorithm>
#include <cmath>

SampleStats::SampleStats(QVector<double> samples)
    : m_sorted(std::move(samples))
{
    std::sort(m_sorted.begin(), m_sorted.end());
}

double SampleStats::quantile(double q) const
{
    if (m_sorted.isEmpty())
        return 0.0;
    const double rank = q * double(m_sorted.size() - 1);
    const auto low = qsizetype(std::floor(rank));
    const auto high = std::min(low + 1, m_sorted.size() - 1);
    const double weight = rank - double(low);
    return m_sorted[low] * (1.0 - weight) + m_sorted[high] * weight;
}

QString ratioLine(double ratio, double target)
{
    return QStringLiteral("%1x (target <= %2x) %3")
        .arg(ratio, 0, 'f', 2)
        .arg(target, 0, 'f', 2)
        .arg(ratio <= target ? QStringLiteral("ok") : QStringLiteral("MISSED"));
}
