#pragma once

#include "CommandContext.h"

// Commands about the own profile, the contacts, friend labels and head images.
class ContactCommands
{
public:
    static void addTo(CommandTable &table);

    // Larger head images are refused rather than allocated.
    static constexpr int MaxHeadImageSide = 4096;
};
