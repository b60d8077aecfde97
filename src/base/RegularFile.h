#pragma once
// The picture and model readers open only regular files. A FIFO would block
// the game in open(), a device such as /dev/zero never ends, and a folder or
// /dev/null reads as an empty file; the readers ask first, without opening
// anything, and treat every other kind as a file that cannot be opened.

// True when path (symbolic links followed) is a regular file.
bool isRegularFile(const char* path);
