// The JPEG reader over libjpeg's 6b interface.
//
// libjpeg reports fatal errors through a callback that must not return; it
// jumps back here with longjmp and the reader raises "JPEG error: <libjpeg's
// text>". Warnings about damaged data are not fatal: the picture decodes as
// far as it can, as other viewers show it. Grey pictures become 8 bits with a
// grey palette; colour and CMYK pictures 24 bits.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

#include "GraphicFormats.h"
#include "GraphicFormatsShared.h"

using namespace graphics;

namespace {
struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  cinfo->err->format_message(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}
void EmitMessage(j_common_ptr, int) {}

// Largest decoder working memory; progressive files keep every coefficient.
constexpr long kMaxJpegMemory = 512l << 20;
}  // namespace

TBitmap TJPEGImage::Decode(std::span<const uint8_t> bytes) {
  if (bytes.empty()) throw EInvalidGraphic("JPEG error: empty file");
  // Everything that lives across the longjmp is made before setjmp.
  jpeg_decompress_struct cinfo;
  TJpegError err;
  TBitmap b;
  std::vector<uint8_t> row;
  cinfo.err = jpeg_std_error(&err.Manager);
  err.Manager.error_exit = ErrorExit;
  err.Manager.emit_message = EmitMessage;
  err.Message[0] = 0;
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    throw EInvalidGraphic(std::string("JPEG error: ") + err.Message);
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = kMaxJpegMemory;
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(bytes.data()), (unsigned long)bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  // Grey and (where libjpeg offers it) blue-green-red rows are the bitmap's
  // own: libjpeg writes them in place.
#ifdef JCS_EXTENSIONS
  constexpr J_COLOR_SPACE kColourSpace = JCS_EXT_BGR;
#else
  constexpr J_COLOR_SPACE kColourSpace = JCS_RGB;
#endif
  cinfo.out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : kColourSpace;
  const bool direct = grey || (!cmyk && kColourSpace != JCS_RGB);
  // At best a few bits per 8 x 8 block of each component: refuse sizes that
  // the file cannot describe before anything is allocated.
  uint64_t pixels = uint64_t(cinfo.image_width) * cinfo.image_height;
  if (pixels > uint64_t(bytes.size()) * 4096 + (1u << 20)) {
    jpeg_destroy_decompress(&cinfo);
    throw EInvalidGraphic("JPEG error: image too large for its file");
  }
  try {
    b = NewPicture(grey ? pf8bit : pf24bit, cinfo.image_width, cinfo.image_height, "JPEG error: invalid image size");
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  if (grey) b.SetPalette(GreyPalette(256));
  jpeg_start_decompress(&cinfo);
  if (!direct) row.resize(size_t(cinfo.output_width) * cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = int(cinfo.output_scanline);
    uint8_t* out = b.ScanLine(y);
    JSAMPROW rows[1] = {direct ? out : row.data()};
    if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) break;
    if (direct) continue;
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x) {
      const uint8_t* in = row.data() + size_t(x) * cinfo.output_components;
      if (cmyk) {
        // Adobe's files store the inks inverted (255 is no ink).
        CMYKToBGR(255 - in[0], 255 - in[1], 255 - in[2], 255 - in[3], 255, out + 3 * x);
      } else {
        out[3 * x] = in[2];
        out[3 * x + 1] = in[1];
        out[3 * x + 2] = in[0];
      }
    }
  }
  jpeg_abort_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return b;
}
