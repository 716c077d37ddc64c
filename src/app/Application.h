#pragma once

// Start-up, the event loop and shutdown of the shell; returns only by exit().
int application(int argc, char *argv[]);
