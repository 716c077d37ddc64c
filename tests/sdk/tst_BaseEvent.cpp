#include <lumio/BaseEvent.h>
#include <lumio/Commands.h>

#include <QCoreApplication>
#include <QtTest>

namespace {

struct Counted
{
    static int destroyed;
    ~Counted() { ++destroyed; }
};
int Counted::destroyed = 0;

struct Base
{
    virtual ~Base() = default;
};
struct Derived : Base
{
    static int destroyed;
    QByteArray payload = QByteArray(64, 'x');
    ~Derived() override { ++destroyed; }
};
int Derived::destroyed = 0;

class Sink : public QObject
{
public:
    int received = 0;
    QList<void *> seenAttachments;

protected:
    void customEvent(QEvent *event) override
    {
        if (BaseEvent *e = BaseEvent::cast(event)) {
            ++received;
            seenAttachments += e->attachments();
        }
    }
};

} // namespace

class tst_BaseEvent : public QObject
{
    Q_OBJECT
private slots:
    void fieldsAndConstructorOrder();
    void attachmentsFreedOnceAcrossCopies();
    void castRejectsOtherEventTypes();
};

void tst_BaseEvent::fieldsAndConstructorOrder()
{
    BaseEvent event(Command::ShowLoginWindow, QByteArray("abc"), QStringLiteral("target"),
                    QStringLiteral("source"));
    QCOMPARE(int(event.type()), 1000);
    QCOMPARE(event.command(), Command::ShowLoginWindow);
    QCOMPARE(event.data(), QByteArray("abc"));
    QCOMPARE(event.targetId(), QStringLiteral("target"));
    QCOMPARE(event.sourceId(), QStringLiteral("source"));
    QVERIFY(event.flag());
    QVERIFY(!event.posted());
    QVERIFY(event.attachments().isEmpty());

    event.setData(QByteArray("answer"));
    QCOMPARE(event.data(), QByteArray("answer"));

    BaseEvent posted(1, {}, {}, {}, {}, false, true);
    QVERIFY(!posted.flag());
    QVERIFY(posted.posted());
}

void tst_BaseEvent::attachmentsFreedOnceAcrossCopies()
{
    Counted::destroyed = 0;
    Derived::destroyed = 0;
    Sink first;
    Sink second;
    {
        auto *event = new BaseEvent(7, {}, {}, {}, {}, true, true);
        event->addAttachment(new Counted);
        // Held through its base type: freed as Derived all the same.
        event->addAttachment(BaseEvent::Attachment(static_cast<Base *>(new Derived)));
        QCOMPARE(event->attachments().size(), 2);

        QCoreApplication::postEvent(&first, event->clone());
        QCoreApplication::postEvent(&second, event->clone());
        delete event;
    }
    QCOMPARE(Counted::destroyed, 0);
    QCoreApplication::sendPostedEvents();
    QCOMPARE(first.received, 1);
    QCOMPARE(second.received, 1);
    QCOMPARE(first.seenAttachments, second.seenAttachments);
    QCOMPARE(Counted::destroyed, 1);
    QCOMPARE(Derived::destroyed, 1);
}

void tst_BaseEvent::castRejectsOtherEventTypes()
{
    QEvent plain(QEvent::Type(QEvent::User + 1));
    QVERIFY(!BaseEvent::cast(&plain));
    QVERIFY(!BaseEvent::cast(nullptr));
    QEvent sameNumber(QEvent::User);
    QVERIFY(!BaseEvent::cast(&sameNumber));
    BaseEvent real(1, {}, {}, {});
    QCOMPARE(BaseEvent::cast(&real), &real);
}

QTEST_GUILESS_MAIN(tst_BaseEvent)
#include "tst_BaseEvent.moc"
