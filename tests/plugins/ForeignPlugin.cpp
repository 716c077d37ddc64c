#include <QObject>
#include <QtPlugin>

class ForeignInterface
{
public:
    virtual ~ForeignInterface() = default;
};
#define ForeignInterface_iid "org.example.Foreign/1.0"
Q_DECLARE_INTERFACE(ForeignInterface, ForeignInterface_iid)

class ForeignPlugin : public QObject, public ForeignInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ForeignInterface_iid FILE "fixture.json")
    Q_INTERFACES(ForeignInterface)
};

#include "ForeignPlugin.moc"
