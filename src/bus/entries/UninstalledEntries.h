#pragma once

// Counts the calls that reached an entry nobody installed: the first per method
// is logged at once, the rest only in the summary at exit, so a window asking on
// a timer cannot flood the log.
class UninstalledEntries
{
public:
    // method: "<Entry>::<method>", a string literal.
    static void note(const char *method);
    // One line listing every such method with its number of calls.
    static void summary();
};
