#pragma once

#include <QString>

// The folders and files the shell keeps outside its installation.
namespace AppPaths {

QString applicationDir();
QString documentsBase();
QString imInfoPath();
QString defaultMessageFileRoot();
QString logFolder();

} // namespace AppPaths
