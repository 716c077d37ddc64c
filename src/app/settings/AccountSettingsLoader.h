#pragma once

#include "AccountSettings.h"

#include <functional>

// Reads an account's config.ini in its fixed key order and applies the
// normalisations; the few write-backs go to the same file, and only when that
// file was read cleanly, so a damaged file is never overwritten.
class AccountSettingsLoader
{
public:
    using SkinHook = std::function<void(const QString &skinFolder)>;

    static AccountSettings load(const QString &configPath, const QString &defaultTransferPath,
                                const SkinHook &skinHook = {});
};
