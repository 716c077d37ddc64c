#pragma once

// A start-up milestone on the debug output, after the current time.
void startupBanner(const char *text);
