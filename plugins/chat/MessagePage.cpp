#include "MessagePage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

QString MessagePage::html()
{
    return QStringLiteral(R"HTML(<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self' file: qrc: data: 'unsafe-inline'">
<style>
body { margin: 0; padding: 8px 12px; font-family: "Noto Sans CJK SC", sans-serif; font-size: 13px;
       color: #1f2d3d; background: #f6f9fa; }
#messages > div { margin: 6px 0; }
img { max-width: 240px; border-radius: 4px; }
img.broken { opacity: 0.4; }
</style>
<script>
function fnAppendMessage() {
    var box = document.getElementById("messages");
    var item = document.createElement("div");
    item.innerHTML = (window.messageObject && messageObject.strNewLine) || "";
    box.appendChild(item);
    window.scrollTo(0, document.body.scrollHeight);
}
// Without it the shell empties the whole body, and the message list with it.
function fnClearMessages() {
    document.getElementById("messages").innerHTML = "";
}
function fnFreshPicture(fileId, picname, path) {
    var images = document.getElementsByTagName("img");
    for (var i = 0; i < images.length; ++i) {
        var img = images[i];
        if (img.getAttribute("data-fileid") === fileId || img.getAttribute("data-name") === picname) {
            img.classList.remove("broken");
            img.src = "file:///" + path;
        }
    }
}
function downPicFailed(picname, fileId) {
    var images = document.getElementsByTagName("img");
    for (var i = 0; i < images.length; ++i) {
        var img = images[i];
        if (img.getAttribute("data-fileid") === fileId || img.getAttribute("data-name") === picname)
            errorPic(img);
    }
}
function resizeImg(img) {
    if (img.naturalWidth > 240) {
        img.style.width = "240px";
        img.style.height = "auto";
    }
}
function replaceErrImg(img) {
    img.onerror = null;
    img.style.display = "none";
}
function errorPic(img) {
    img.onerror = null;
    img.alt = "图片加载失败";
    img.classList.add("broken");
}
</script>
</head>
<body>
<div id="messages"></div>
</body>
</html>
)HTML");
}

bool MessagePage::install(const QString &messageFilePath, QString *error)
{
    if (messageFilePath.isEmpty()) {
        if (error)
            *error = QStringLiteral("no message file path");
        return false;
    }
    const QString folder = messageFilePath + QStringLiteral("/index");
    const QString path = folder + QStringLiteral("/msgRecordIndex.html");
    const QByteArray content = html().toUtf8();
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    existing.close();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QString MessagePage::localOnly(const QString &fragment)
{
    // Remote sources become blank; the page then shows its own error picture.
    static const QRegularExpression remote(
        QStringLiteral(R"RE((\b(?:src|href|background)\s*=\s*["']?)\s*(?:https?|ftp):[^"'\s>]*)RE"),
        QRegularExpression::CaseInsensitiveOption);
    QString local = fragment;
    local.replace(remote, QStringLiteral("\\1about:blank"));
    return local;
}
