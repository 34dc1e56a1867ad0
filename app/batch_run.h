// The command line's run without a window: the page is built and written as
// the editor's menu commands would build and write it.
#pragma once

struct CommandLine;

// The page's pixels per inch in a run given neither --ppi nor an album that
// records its own: the same on every machine.
constexpr int kBatchPixelsPerInch = 96;

// Opens ALBUM (or starts a new page), loads the template, inserts the
// pictures, then saves the template, saves the album, exports the JPEG, prints
// and prints into a PDF file, in that order, each with the code of its menu command. Every failure
// is one line on the standard error stream. An album or template that cannot be read stops the run
// before anything is written; pictures that cannot be inserted let the rest go on. Returns the exit
// status: 0 when all went well.
int RunBatch(const CommandLine& cl);
