#include "CLineEditEx.h"

#include "common/ResourcePath.h"

#include <QPushButton>

CLineEditEx::CLineEditEx(QWidget *parent)
    : QLineEdit(parent)
{
    setStyleSheet(QStringLiteral(
        "QLineEdit{border:1px solid transparent;border-radius:2px;background:rgba(255,255,255,200);"
        "padding:0px 24px 0px 6px;color:#322926;selection-background-color:#4dc9b0;}"
        "QLineEdit:hover{border:1px solid #c8c8c8;}"
        "QLineEdit:focus{border:1px solid #4dc9b0;background:#ffffff;}"));
    m_searchButton = new QPushButton(this);
    m_searchButton->setObjectName(QStringLiteral("pushButton_search"));
    m_searchButton->setFocusPolicy(Qt::NoFocus);
    m_searchButton->setFixedSize(16, 16);
    m_searchButton->setCursor(Qt::ArrowCursor);
    connect(this, &QLineEdit::textChanged, this, &CLineEditEx::slot_changeSearchBtnImg);
    connect(m_searchButton, &QPushButton::clicked, this, [this] {
        if (!text().isEmpty())
            clear();
        setFocus();
    });
    slot_changeSearchBtnImg(QString());
}

QString CLineEditEx::searchImage()
{
    return QStringLiteral("Resources/images/CommonCtrls/kora_search_ic.png");
}

QString CLineEditEx::clearImage()
{
    return QStringLiteral("Resources/images/CommonCtrls/kora_search_clear.png");
}

void CLineEditEx::slot_changeSearchBtnImg(const QString &text)
{
    m_image = text.isEmpty() ? searchImage() : clearImage();
    m_searchButton->setCursor(text.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    m_searchButton->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;border-image:url(%1);}")
                                      .arg(ResourcePath::resolve(m_image)));
}

void CLineEditEx::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    m_searchButton->move(width() - m_searchButton->width() - 6, (height() - m_searchButton->height()) / 2);
}
