#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class BenchCorpus;

// Puts the message store beside raw SQLite and its keyword search's indexed path beside
// the LIKE scan, on real data.db files, and checks that both searches return the same rows.
class StoreBench
{
public:
    struct Options
    {
        qint64 rows = 1000000;
        int conversations = 1000;
        int insertRows = 100000;
        int insertReps = 3;
        int likeReps = 5;
        int indexedReps = 50;
        QString folder; // empty: a temporary folder
    };

    explicit StoreBench(const Options &options);

    // Prints the figures; false when a result set differed or a step failed.
    bool run();

private:
    bool insertBench();
    bool buildCorpus(const BenchCorpus &corpus);
    bool indexBench();
    bool searchBench(const BenchCorpus &corpus);
    bool searchKeyword(const QString &label, const QString &keyword, int expectedHits);
    bool loadBench(const BenchCorpus &corpus);
    bool markReadBench(const BenchCorpus &corpus);

    QString databaseFile(const QString &account) const;
    bool openStore(const QString &account, bool withIndex);
    void fail(const QString &what);

    Options m_options;
    QString m_root;
    QStringList m_failures;
};
