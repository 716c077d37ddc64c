#pragma once

// Installs each window's and manager's entry for the dispatcher, once, before the
// plug-ins load; a feature that lands adds its line here and nowhere else.
void installWindowEntries();
