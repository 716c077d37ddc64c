#include "LoginCache.h"

LoginCache *LoginCache::instance()
{
    static auto *cache = new LoginCache;
    return cache;
}
