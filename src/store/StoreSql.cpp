#include "StoreSql.h"

#include "StoreLog.h"

#include <QSqlError>

namespace StoreSql {

int resultCode(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return Ok;
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : GenericError;
}

int resultCode(const QSqlQuery &query)
{
    return resultCode(query.lastError());
}

QString bindable(const QString &text)
{
    // A literal: not null, and no allocation per bound value.
    return text.isNull() ? QStringLiteral("") : text;
}

QString containsPattern(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QLatin1Char('!') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped.append(QLatin1Char('!'));
        escaped.append(c);
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString describe(const QSqlError &error)
{
    return QStringLiteral("[%1] %2").arg(error.nativeErrorCode(), error.text());
}

static void bindAll(QSqlQuery &query, std::initializer_list<QVariant> values)
{
    int position = 0;
    for (const QVariant &value : values) {
        if (value.typeId() == QMetaType::QString)
            query.bindValue(position++, bindable(value.toString()));
        else
            query.bindValue(position++, value);
    }
}

bool run(QSqlQuery &query, const QString &sql, std::initializer_list<QVariant> values)
{
    if (!query.prepare(sql)) {
        STORE_LOG_WARN(QStringLiteral("cannot prepare \"%1\": %2").arg(sql, describe(query.lastError())));
        return false;
    }
    return rerun(query, values);
}

bool rerun(QSqlQuery &query, std::initializer_list<QVariant> values)
{
    bindAll(query, values);
    if (query.exec())
        return true;
    STORE_LOG_WARN(QStringLiteral("statement \"%1\" failed: %2")
                 .arg(query.lastQuery(), describe(query.lastError())));
    return false;
}

QVariant firstValue(const QSqlDatabase &db, const QString &sql, std::initializer_list<QVariant> values)
{
    QSqlQuery query(db);
    if (!run(query, sql, values) || !query.next())
        return {};
    return query.value(0);
}

bool hasRow(const QSqlDatabase &db, const QString &sql, std::initializer_list<QVariant> values)
{
    QSqlQuery query(db);
    return run(query, sql, values) && query.next();
}

Savepoint::Savepoint(const QSqlDatabase &db, const QString &name)
    : m_db(db)
    , m_name(name)
{
    QSqlQuery query(m_db);
    m_active = query.exec(QStringLiteral("SAVEPOINT ") + m_name);
    if (!m_active)
        STORE_LOG_WARN(QStringLiteral("savepoint %1 not set: %2").arg(m_name, describe(query.lastError())));
}

Savepoint::~Savepoint()
{
    rollback();
}

bool Savepoint::release()
{
    if (!m_active)
        return false;
    QSqlQuery query(m_db);
    if (query.exec(QStringLiteral("RELEASE ") + m_name)) {
        m_active = false;
        return true;
    }
    STORE_LOG_WARN(QStringLiteral("savepoint %1 not released: %2").arg(m_name, describe(query.lastError())));
    return false;
}

void Savepoint::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("ROLLBACK TO ") + m_name))
        STORE_LOG_WARN(QStringLiteral("savepoint %1 not rolled back: %2").arg(m_name, describe(query.lastError())));
    if (!query.exec(QStringLiteral("RELEASE ") + m_name))
        STORE_LOG_WARN(QStringLiteral("savepoint %1 not released: %2").arg(m_name, describe(query.lastError())));
}

} // namespace StoreSql
