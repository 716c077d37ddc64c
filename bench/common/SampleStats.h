#pragma once

#include <QString>
#include <QVector>

// Order statistics of one set of timings; the median and p90 resist the
// odd slow run that a mean would smear over every figure.
class SampleStats
{
public:
    explicit SampleStats(QVector<double> samples);

    int count() const { return int(m_sorted.size()); }
    double median() const { return quantile(0.5); }
    double p90() const { return quantile(0.9); }
    double min() const { return m_sorted.isEmpty() ? 0.0 : m_sorted.first(); }
    double max() const { return m_sorted.isEmpty() ? 0.0 : m_sorted.last(); }
    // Linear interpolation between the nearest ranks.
    double quantile(double q) const;

private:
    QVector<double> m_sorted;
};

// "1.23x (target <= 1.30x) ok" — one line a reader can scan.
QString ratioLine(double ratio, double target);
