#include "ProfileCard.h"

#include "ColleagueDirectory.h"
#include "HeadImages.h"
#include "PackSkin.h"

#include <QLabel>
#include <QVBoxLayout>

ProfileCard::ProfileCard(QWidget *parent)
    : QWidget(parent)
    , m_head(new QLabel)
    , m_name(new QLabel)
    , m_status(new QLabel)
    , m_details(new QLabel)
{
    setFixedSize(320, 400);
    auto *header = new QWidget;
    header->setObjectName(QStringLiteral("packHeader"));
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(16, 24, 16, 16);
    m_head->setFixedSize(80, 80);
    m_head->setAlignment(Qt::AlignCenter);
    headerLayout->addWidget(m_head, 0, Qt::AlignHCenter);
    m_name->setObjectName(QStringLiteral("packName"));
    headerLayout->addWidget(m_name, 0, Qt::AlignHCenter);
    headerLayout->addWidget(m_status, 0, Qt::AlignHCenter);
    m_details->setTextFormat(Qt::RichText);
    m_details->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_details->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(header);
    layout->addWidget(m_details, 1);
    m_details->setContentsMargins(24, 16, 24, 16);
    applySkin();
}

void ProfileCard::setColleague(const Colleague &colleague)
{
    QPixmap head(HeadImages::pathFor(colleague));
    if (!head.isNull())
        m_head->setPixmap(head.scaled(80, 80, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_name->setText(colleague.name);
    const auto row = [](const QString &label, const QString &value) {
        return QStringLiteral("<tr><td style='color:#8a97a0; padding:4px 12px 4px 0'>%1</td>"
                              "<td style='padding:4px 0'>%2</td></tr>")
            .arg(label, value.toHtmlEscaped());
    };
    m_details->setText(QStringLiteral("<table>") + row(QStringLiteral("部门"), colleague.department)
                       + row(QStringLiteral("职位"), colleague.title)
                       + row(QStringLiteral("账号"), colleague.jid)
                       + row(QStringLiteral("签名"), colleague.signature) + QStringLiteral("</table>"));
}

void ProfileCard::setStatus(const QString &text)
{
    m_status->setText(text);
}

void ProfileCard::applySkin()
{
    PackSkin::apply(this);
    setStyleSheet(styleSheet() + QStringLiteral("ProfileCard { background: white; }"));
}
