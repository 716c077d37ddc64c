#pragma once

#include <QMap>
#include <QObject>
#include <QStringList>

// Who subscribes to what kind of news from which plug-in. Only known senders
// (every loaded plug-in) can be subscribed to.
class PLuginData : public QObject
{
    Q_OBJECT
public:
    static PLuginData *instance();
    explicit PLuginData(QObject *parent = nullptr);

    void addKnownSender(const QString &sender);
    bool isKnownSender(const QString &sender) const;

    bool addSubscription(const QString &sender, int kind, const QString &subscriber);
    bool removeSubscription(const QString &sender, int kind, const QString &subscriber);
    QStringList subscribers(const QString &sender, int kind) const;

private:
    QStringList m_senders;
    QMap<QString, QMap<int, QStringList>> m_subscriptions;
};
