#include "PLuginData.h"

#include <QDebug>

PLuginData *PLuginData::instance()
{
    static auto *data = new PLuginData;
    return data;
}

PLuginData::PLuginData(QObject *parent)
    : QObject(parent)
{
}

void PLuginData::addKnownSender(const QString &sender)
{
    if (!m_senders.contains(sender))
        m_senders.append(sender);
}

bool PLuginData::isKnownSender(const QString &sender) const
{
    return m_senders.contains(sender);
}

bool PLuginData::addSubscription(const QString &sender, int kind, const QString &subscriber)
{
    if (!isKnownSender(sender)) {
        qDebug() << "sender is not exist!";
        return false;
    }
    QStringList &list = m_subscriptions[sender][kind];
    if (!list.contains(subscriber))
        list.append(subscriber);
    return true;
}

bool PLuginData::removeSubscription(const QString &sender, int kind, const QString &subscriber)
{
    if (!isKnownSender(sender)) {
        qDebug() << "sender is not exist!";
        return false;
    }
    auto senderIt = m_subscriptions.find(sender);
    if (senderIt == m_subscriptions.end())
        return true;
    auto kindIt = senderIt->find(kind);
    if (kindIt == senderIt->end())
        return true;
    kindIt->removeAll(subscriber);
    return true;
}

QStringList PLuginData::subscribers(const QString &sender, int kind) const
{
    return m_subscriptions.value(sender).value(kind);
}
