#pragma once
// Decoding a picture file's bytes, beneath Picture: bitmaps, JPEG and icons through WIC,
// metafiles through GDI. Every failure throws the AppError the user sees.
#include <string_view>

#include "platform/Picture.h"

namespace orv {

enum class PictureKind { Bitmap, Jpeg, Icon, EnhancedMetafile, WindowsMetafile };

// The JPEG error numbers follow the IJG library's message codes, as users of JPEG-reading
// programs know them.
enum JpegError : int {
    kJpegTooBig = 41,      // declared size beyond kMaxPicturePixels / kMaxPictureSide
    kJpegEmpty = 42,       // empty input file
    kJpegEndOfFile = 43,   // the file ends before the image data starts
    kJpegNotJpeg = 53,     // no JPEG start marker, or a stream the decoder rejects
    kJpegNoMemory = 54,    // the pixels would not fit in memory
};

// "Bitmap image is not valid", or "JPEG error #<code>" for a JPEG.
[[noreturn]] void ThrowDamagedPicture(PictureKind kind, int jpegCode = kJpegNotJpeg);

// Decodes bitmaps, JPEG and icons (the largest image of an icon). With a target size, a
// decoder that can scale while decoding decodes no larger than that target needs; `width` and
// `height` receive the picture's real size either way.
PixelBuffer DecodeRaster(PictureKind kind, std::string_view bytes, int targetWidth, int targetHeight,
                         int& width, int& height);

// Enhanced metafiles as they are; Windows metafiles, placeable or plain, converted. `width` and
// `height` receive the frame's size in screen pixels.
UniqueEnhMetaFile DecodeMetafile(PictureKind kind, std::string_view bytes, int& width, int& height);

} // namespace orv
