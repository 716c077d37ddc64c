#include "FuzzInput.h"
#include "FuzzTarget.h"

#include "DispatcherHarness.h"

#include <lumio/MessageData.h>
#include <lumio/Records.h>
#include <lumio/RequestData.h>
#include <lumio/SysUIData.h>
#include <lumio/VcardInfo.h>

#include <QApplication>
#include <QMap>
#include <QPixmap>

#include <algorithm>
#include <typeindex>
#include <unordered_map>

// What a plug-in may send the shell: a few commands of its table in a row,
// each with any payload, sent or posted through the real router. Windows,
// network and process end sit behind the recording entries.
namespace {

QList<int> commands;
std::unordered_map<std::type_index, const void *> *objects = nullptr;

template<typename T>
void keep(T *object)
{
    objects->emplace(std::type_index(typeid(T)), object);
}

// Nonzero addresses stand for the harness's object of the asked type.
const void *objectAt(qint64 address, const std::type_info &type)
{
    if (address == 0)
        return nullptr;
    const auto it = objects->find(std::type_index(type));
    if (it == objects->end())
        fuzzFailure(type.name()); // a new object type the harness must learn
    return it->second;
}

void makeObjects()
{
    objects = new std::unordered_map<std::type_index, const void *>;
    auto *message = new MessageData;
    message->fromJid = QStringLiteral("bob@x/pc");
    message->text = QStringLiteral("<b>hi</b> 你好");
    keep(message);
    auto *pixmap = new QPixmap(8, 8);
    pixmap->fill(Qt::red);
    keep(pixmap);
    keep(new QList<RequestData>{RequestData(), RequestData()});
    keep(new SysUIData);
    keep(new VcardInfo);
    keep(new QList<NoticeRecord>{NoticeRecord(), NoticeRecord()});
    keep(new NoticeRecord);
    keep(new QMap<QString, QStringList>{{QStringLiteral("bob@x"), {QStringLiteral("m1")}}});
    keep(new QMap<QString, QString>{{QStringLiteral("m1"), QStringLiteral("friends")}});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    makeObjects();
    harness::objectAt = objectAt;
    harness::PrivateShell shell;
    commands = shell.dispatcher.commands();
    std::sort(commands.begin(), commands.end());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    harness::PrivateShell shell;
    for (int step = 0; step < 4 && input.remaining() > 0; ++step) {
        const int command = commands.at(input.word() % commands.size());
        const bool posted = input.flag();
        const QByteArray payload = input.chunk(255);
        if (posted)
            shell.post(command, payload);
        else
            shell.ask(command, payload);
    }
    harness::PrivateShell::deliverPosted();
    return 0;
}
