#pragma once

#include "PackPlugin.h"

#include <QHash>
#include <QPointer>

#include "ProfileCard.h"

// The phone party: raises incoming calls to the shell and shows the call window.
class SipPhonePlugin : public PackPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "sipphone.json")
public:
    SipPhonePlugin();
    ~SipPhonePlugin() override;
    QString pluginName() const override { return QStringLiteral("sipphone"); }

    ProfileCard *callWindow() const { return m_window; }

protected:
    void handle(BaseEvent &event) override;
    void skinChanged() override;
    void releaseWindows() override;

private:
    void incomingCall(const QString &callId, const QString &from, const QString &number);
    void showCall(const QString &callId, const QString &status);

    // Caller JID by call id.
    QHash<QString, QString> m_calls;
    QPointer<ProfileCard> m_window;
};
