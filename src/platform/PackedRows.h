#pragma once
// Pixel transfers of packed rows. Our pictures and read-backs have rows of
// exactly width x channels bytes, but GL reads and writes rows padded to 4
// bytes by default, which garbles pictures 1 or 3 pixels wide, and a row
// length or skip left set by other code would move every row. For as long as
// the scope lives, every setting that moves rows or pixels, packing and
// unpacking, is that of packed rows, whatever the frame left; the old values
// come back with the scope, so other transfers keep the state they expect.
#include "platform/GlStateScope.h"

class PackedRows {
public:
    PackedRows();

private:
    GlStateScope saved;
};
