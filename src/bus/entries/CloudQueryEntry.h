#pragma once

#include "bus/LoginCache.h"

// The query of the account record kept in the cloud.
// The default does nothing and reports the call; start-up installs the real one.
class CloudQueryEntry
{
public:
    virtual ~CloudQueryEntry();

    // The installed entry, or the default.
    static CloudQueryEntry &current();
    // Null puts the default back.
    static void install(CloudQueryEntry *entry);

    // Runs the query (it waits in a nested event loop) and returns the record the shell
    // keeps and answers.
    virtual LoginCache::AccountRecord queryCloudAccount(const LoginCache::AccountRecord &stored);

protected:
    CloudQueryEntry() = default;
};
