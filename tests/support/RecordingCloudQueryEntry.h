#pragma once

#include "bus/entries/CloudQueryEntry.h"

#include <functional>

// Counts the cloud queries; each answers what the test's function makes of the
// stored record, or the stored record itself.
class RecordingCloudQueryEntry : public CloudQueryEntry
{
public:
    std::function<LoginCache::AccountRecord(const LoginCache::AccountRecord &)> answer;
    int queries = 0;

    LoginCache::AccountRecord queryCloudAccount(const LoginCache::AccountRecord &stored) override
    {
        ++queries;
        return answer ? answer(stored) : stored;
    }
};
