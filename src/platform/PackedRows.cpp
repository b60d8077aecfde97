#include "platform/PackedRows.h"

#include <initializer_list>

PackedRows::PackedRows() : saved(0, GL_CLIENT_PIXEL_STORE_BIT) {
    for (GLenum alignment : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT}) glPixelStorei(alignment, 1);
    for (GLenum setting : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS, GL_PACK_ROW_LENGTH,
                           GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS})
        glPixelStorei(setting, 0);
}
