#include "MsgBoxUi.h"

#include "MsgBoxListdelegate.h"
#include "MsgView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QIcon maximiseIcon()
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setPen(QPen(Qt::white, 1.4));
    painter.drawRect(QRectF(3.5, 3.5, 9, 9));
    return QIcon(p);
}

QLabel *emptyLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setObjectName(QStringLiteral("label_empty"));
    return label;
}

} // namespace

void MsgBoxUi::setupUi(QWidget *box, int margin, QStandardItemModel *frdModel,
                       QStandardItemModel *requestModel, MsgView *view)
{
    auto *root = new QVBoxLayout(box);
    const int m = margin;
    root->setContentsMargins(m, m, m, m);
    root->setSpacing(0);

    auto *title = new QHBoxLayout;
    title->setContentsMargins(12, 0, 0, 0);
    title->setSpacing(0);
    m_titleLabel = new QLabel(box);
    m_titleLabel->setObjectName(QStringLiteral("label_title"));
    m_msgTab = new QPushButton(QStringLiteral("消息"), box);
    m_requestTab = new QPushButton(QStringLiteral("请求"), box);
    for (QPushButton *tab : {m_msgTab, m_requestTab}) {
        tab->setObjectName(QStringLiteral("tab"));
        tab->setCheckable(true);
        tab->setCursor(Qt::PointingHandCursor);
        tab->setFixedHeight(40);
    }
    m_minButton = new QPushButton(box);
    m_minButton->setObjectName(QStringLiteral("pushButton_min"));
    m_minButton->setToolTip(QStringLiteral("最小化"));
    m_maxButton = new QPushButton(box);
    m_maxButton->setObjectName(QStringLiteral("pushButton_max"));
    m_maxButton->setToolTip(QStringLiteral("最大化"));
    m_maxButton->setIcon(maximiseIcon());
    m_closeButton = new QPushButton(box);
    m_closeButton->setObjectName(QStringLiteral("pushButton_close"));
    m_closeButton->setToolTip(QStringLiteral("关闭"));
    title->addWidget(m_titleLabel);
    title->addSpacing(16);
    title->addWidget(m_msgTab);
    title->addWidget(m_requestTab);
    title->addStretch();
    for (QPushButton *b : {m_minButton, m_maxButton, m_closeButton}) {
        b->setFixedSize(32, 28);
        b->setFocusPolicy(Qt::NoFocus);
        title->addWidget(b, 0, Qt::AlignTop);
    }
    root->addLayout(title);

    m_pages = new QStackedWidget(box);
    root->addWidget(m_pages, 1);

    // Messages: senders on the left, the page on the right, actions below.
    auto *msgPage = new QWidget(m_pages);
    auto *msgLayout = new QVBoxLayout(msgPage);
    msgLayout->setContentsMargins(0, 0, 0, 0);
    msgLayout->setSpacing(0);
    m_msgSplitter = new QSplitter(Qt::Horizontal, msgPage);
    m_msgSplitter->setHandleWidth(1);
    m_listPages = new QStackedWidget(m_msgSplitter);
    frdListView = new QListView(m_listPages);
    frdListView->setModel(frdModel);
    frdListView->setItemDelegate(new MsgBoxListdelegate(frdListView));
    frdListView->setMouseTracking(true);
    frdListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frdListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listPages->addWidget(frdListView);
    m_listPages->addWidget(emptyLabel(QStringLiteral("您目前没有未读消息"), m_listPages));
    m_previewPages = new QStackedWidget(m_msgSplitter);
    m_previewPages->addWidget(view);
    m_previewPages->addWidget(emptyLabel(QStringLiteral("没有消息可预览"), m_previewPages));
    m_msgSplitter->addWidget(m_listPages);
    m_msgSplitter->addWidget(m_previewPages);
    m_msgSplitter->setSizes({220, 440});
    m_msgSplitter->setStretchFactor(1, 1);
    msgLayout->addWidget(m_msgSplitter, 1);
    auto *footer = new QWidget(msgPage);
    footer->setObjectName(QStringLiteral("footer"));
    auto *footerLayout = new QHBoxLayout(footer);
    footerLayout->setContentsMargins(12, 8, 12, 8);
    m_ignoreAllButton = new QPushButton(QStringLiteral("全部忽略"), footer);
    m_openAllButton = new QPushButton(QStringLiteral("全部查看"), footer);
    m_ignoreButton = new QPushButton(QStringLiteral("忽略"), footer);
    m_openButton = new QPushButton(QStringLiteral("查看"), footer);
    m_ignoreAllButton->setObjectName(QStringLiteral("action"));
    m_openAllButton->setObjectName(QStringLiteral("action"));
    m_ignoreButton->setObjectName(QStringLiteral("action"));
    m_openButton->setObjectName(QStringLiteral("primary"));
    footerLayout->addWidget(m_ignoreAllButton);
    footerLayout->addWidget(m_openAllButton);
    footerLayout->addStretch();
    footerLayout->addWidget(m_ignoreButton);
    footerLayout->addWidget(m_openButton);
    msgLayout->addWidget(footer);
    m_pages->addWidget(msgPage);

    // Requests: the list only; its actions belong to the plug-ins and are not offered here.
    auto *requestPage = new QWidget(m_pages);
    auto *requestLayout = new QVBoxLayout(requestPage);
    requestLayout->setContentsMargins(0, 0, 0, 0);
    m_requestSplitter = new QSplitter(Qt::Horizontal, requestPage);
    ReQuest_List = new QTreeView(m_requestSplitter);
    ReQuest_List->setModel(requestModel);
    ReQuest_List->setHeaderHidden(true);
    ReQuest_List->setIndentation(0);
    ReQuest_List->setRootIsDecorated(false);
    ReQuest_List->setMouseTracking(true);
    ReQuest_List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ReQuest_List->setItemDelegate(new MsgBoxListdelegate(ReQuest_List));
    m_requestSplitter->addWidget(ReQuest_List);
    requestLayout->addWidget(m_requestSplitter, 1);
    for (const char *name : {"Agree", "AgreeAndAdd_btn", "Refuse_btn", "Ignore_btn", "Del_btn",
                             "DelAll_btn", "ReView_btn"}) {
        auto *b = new QPushButton(requestPage);
        b->setObjectName(QString::fromLatin1(name));
        b->hide();
        m_requestButtons.append(b);
    }
    m_pages->addWidget(requestPage);
}
