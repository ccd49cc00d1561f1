#pragma once

// Makes standard output and standard error reach the terminal the program
// was started from, where the system does not do that by itself: a Windows
// program with a window has no console of its own, so --help, a warning or
// a bad --trace file would print nowhere. Output already sent to a file or
// a pipe stays there. Called once, first thing, for the whole program.
void attachParentConsole();
