#include "ContactListWidget.h"

#include "ColleagueDirectory.h"
#include "ContactItemDelegate.h"
#include "HeadImages.h"
#include "PackCommands.h"
#include "PackSkin.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

ContactListWidget::ContactListWidget(QWidget *parent)
    : QWidget(parent)
    , m_search(new QLineEdit)
    , m_tree(new QTreeWidget)
    , m_demoButton(new QToolButton)
    , m_demoMenu(new QMenu(this))
    , m_flashTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("ContactListWidget"));
    m_search->setPlaceholderText(QStringLiteral("搜索联系人"));
    m_search->setClearButtonEnabled(true);
    m_tree->setObjectName(QStringLiteral("frdListView"));
    m_tree->setHeaderHidden(true);
    m_tree->setIndentation(0);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemDelegate(new ContactItemDelegate(m_tree));
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->setExpandsOnDoubleClick(false);

    m_demoButton->setText(QStringLiteral("模拟"));
    m_demoButton->setToolTip(QStringLiteral("让同事发来消息、文件或邀请"));
    m_demoButton->setPopupMode(QToolButton::InstantPopup);
    m_demoButton->setMenu(m_demoMenu);
    const std::pair<const char *, int> actions[] = {
        {"模拟消息", PackCommand::DemoMessage}, {"文件", PackCommand::DemoFile},
        {"语音邀请", PackCommand::DemoVoice},   {"视频邀请", PackCommand::DemoVideo},
        {"来电", PackCommand::DemoPhone},       {"好友标签", PackCommand::DemoLabel},
    };
    for (const auto &[label, kind] : actions) {
        const int k = kind;
        m_demoMenu->addAction(QString::fromUtf8(label), this, [this, k] { emit demoRequested(k); });
    }

    auto *top = new QHBoxLayout;
    top->setContentsMargins(8, 8, 8, 4);
    top->addWidget(m_search, 1);
    top->addWidget(m_demoButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_tree, 1);

    connect(m_search, &QLineEdit::textChanged, this, &ContactListWidget::filter);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        const QString jid = jidAt(item);
        if (!jid.isEmpty())
            emit chatRequested(jid);
        else if (item)
            item->setExpanded(!item->isExpanded());
    });
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item && jidAt(item).isEmpty())
            item->setExpanded(!item->isExpanded());
    });
    m_flashTimer->setInterval(450);
    connect(m_flashTimer, &QTimer::timeout, this, &ContactListWidget::flashTick);
    applySkin();
    rebuild();
}

void ContactListWidget::applySkin()
{
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "ContactListWidget { background: white; }"
        "QLineEdit { border: 1px solid #d5dde2; border-radius: 14px; padding: 4px 10px;"
        " font-family: 'Noto Sans CJK SC'; }"
        "QToolButton { border: none; border-radius: 4px; padding: 4px 8px; color: white;"
        " background: %1; font-family: 'Noto Sans CJK SC'; }"
        "QToolButton::menu-indicator { image: none; }"
        "QTreeWidget { background: white; border: none; outline: 0; }"
        "QTreeWidget::item:selected { background: #e8f4f1; }"
        // Square: a pop-up window is opaque, and round corners left white tips outside the border.
        "QMenu { background: white; border: 1px solid #d5dde2; padding: 6px 0;"
        " font-family: 'Noto Sans CJK SC'; font-size: 13px; }"
        "QMenu::item { padding: 7px 28px 7px 22px; color: #1f2d3d; }"
        "QMenu::item:selected { background: #e8f4f1; color: %1; }")
                      .arg(PackSkin::accentColor()));
}

QString ContactListWidget::jidAt(QTreeWidgetItem *item) const
{
    return item ? item->data(0, ContactItemDelegate::JidRole).toString() : QString();
}

void ContactListWidget::rebuild()
{
    const QStringList expanded = m_tree->topLevelItemCount() ? expandedGroups() : QStringList();
    m_tree->clear();
    m_items.clear();
    const ColleagueDirectory &directory = ColleagueDirectory::instance();
    for (const QString &department : directory.departments()) {
        auto *group = new QTreeWidgetItem(m_tree);
        group->setData(0, ContactItemDelegate::GroupRole, department);
        for (const Colleague &c : directory.colleagues()) {
            if (c.department != department || c.jid == m_ownJid)
                continue;
            auto *item = new QTreeWidgetItem(group);
            item->setData(0, ContactItemDelegate::JidRole, c.jid);
            item->setData(0, ContactItemDelegate::NameRole, c.name);
            item->setData(0, ContactItemDelegate::DetailRole, c.title + QStringLiteral(" · ") + c.signature);
            item->setData(0, ContactItemDelegate::HeadRole, HeadImages::pathFor(c));
            m_items.insert(c.jid, item);
            refreshItem(c.jid);
        }
        group->setExpanded(expanded.isEmpty() || expanded.contains(department));
        if (group->childCount() == 0)
            delete group;
    }
    refreshCounts();
}

void ContactListWidget::setOwnJid(const QString &jid)
{
    if (m_ownJid != jid.toLower()) {
        m_unread.clear();
        m_flashing.clear();
        m_presence.clear();
        m_flashTimer->stop();
    }
    m_ownJid = jid.toLower();
    rebuild();
}

void ContactListWidget::setPresence(const QString &jid, int code)
{
    m_presence.insert(jid.toLower(), code);
    refreshItem(jid.toLower());
    refreshCounts();
}

void ContactListWidget::setAllOffline()
{
    for (auto it = m_presence.begin(); it != m_presence.end(); ++it)
        it.value() = 0;
    for (const QString &jid : m_items.keys())
        refreshItem(jid);
    refreshCounts();
}

void ContactListWidget::setUnread(const QString &jid, int count)
{
    const QString key = jid.toLower();
    m_unread.insert(key, qMax(0, count));
    if (count > 0)
        m_flashing.insert(key);
    else
        m_flashing.remove(key);
    if (m_flashing.isEmpty())
        m_flashTimer->stop();
    else if (!m_flashTimer->isActive())
        m_flashTimer->start();
    refreshItem(key);
}

void ContactListWidget::stopFlashing(const QString &jid)
{
    if (jid.isEmpty())
        m_flashing.clear();
    else
        m_flashing.remove(jid.toLower());
    if (m_flashing.isEmpty())
        m_flashTimer->stop();
    for (const QString &key : m_items.keys())
        refreshItem(key);
}

QStringList ContactListWidget::expandedGroups() const
{
    QStringList names;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *group = m_tree->topLevelItem(i);
        if (group->isExpanded())
            names.append(group->data(0, ContactItemDelegate::GroupRole).toString());
    }
    return names;
}

bool ContactListWidget::popupOpen() const
{
    return m_demoMenu && m_demoMenu->isVisible();
}

void ContactListWidget::filter(const QString &text)
{
    const QString needle = text.trimmed();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *group = m_tree->topLevelItem(i);
        int shown = 0;
        for (int j = 0; j < group->childCount(); ++j) {
            QTreeWidgetItem *item = group->child(j);
            const QString jid = jidAt(item);
            const bool match = needle.isEmpty()
                || item->data(0, ContactItemDelegate::NameRole).toString().contains(needle, Qt::CaseInsensitive)
                || jid.contains(needle, Qt::CaseInsensitive);
            item->setHidden(!match);
            shown += match ? 1 : 0;
        }
        group->setHidden(shown == 0);
        if (!needle.isEmpty() && shown)
            group->setExpanded(true);
    }
}

void ContactListWidget::refreshItem(const QString &jid)
{
    QTreeWidgetItem *item = m_items.value(jid);
    if (!item)
        return;
    item->setData(0, ContactItemDelegate::PresenceRole, m_presence.value(jid, 0));
    item->setData(0, ContactItemDelegate::UnreadRole, m_unread.value(jid, 0));
    item->setData(0, ContactItemDelegate::FlashRole, m_flashing.contains(jid) && m_flashOn);
}

void ContactListWidget::refreshCounts()
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *group = m_tree->topLevelItem(i);
        int online = 0;
        for (int j = 0; j < group->childCount(); ++j)
            online += m_presence.value(jidAt(group->child(j)), 0) > 0 ? 1 : 0;
        group->setData(0, ContactItemDelegate::DetailRole,
                       QStringLiteral("%1/%2").arg(online).arg(group->childCount()));
    }
}

void ContactListWidget::flashTick()
{
    m_flashOn = !m_flashOn;
    for (const QString &jid : std::as_const(m_flashing))
        refreshItem(jid);
}
