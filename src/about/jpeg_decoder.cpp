// DecodeJpeg: libjpeg's decompressor on a memory source with an error manager
// that returns to us instead of calling exit().
#include "about/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// NOTE: jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace mensor {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so that libjpeg's pointer to it is ours too
  std::jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

// libjpeg calls this on a fatal error and expects it not to return; the
// default one ends the process. We jump back into Decode instead.
[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->escape, 1);
}

// Level -1 is a warning about corrupt data (premature end of the file, a bad
// Huffman code, ...): libjpeg would go on and fill the rest with grey. A
// damaged picture is refused as a whole instead. Trace messages (level >= 0)
// are dropped.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) OnError(cinfo);
}

// Everything libjpeg touches between setjmp and longjmp lives here, in memory,
// and nothing in Decode's frame with a destructor is created after setjmp.
struct Decoder {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
};

bool Decode(Decoder& d, std::string_view bytes, RgbPicture& out) {
  d.cinfo.err = jpeg_std_error(&d.err.pub);
  d.err.pub.error_exit = OnError;
  d.err.pub.emit_message = OnMessage;
  d.err.message[0] = '\0';
  if (setjmp(d.err.escape) != 0) {
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.cinfo, TRUE);
  d.cinfo.out_color_space = JCS_RGB;
  const std::size_t pixels = static_cast<std::size_t>(d.cinfo.image_width) * d.cinfo.image_height;
  if (pixels > kMaxJpegPixels) {
    std::snprintf(d.err.message, sizeof(d.err.message), "picture too large (%ux%u)",
                  static_cast<unsigned>(d.cinfo.image_width), static_cast<unsigned>(d.cinfo.image_height));
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  jpeg_start_decompress(&d.cinfo);
  if (d.cinfo.output_components != 3) {
    std::snprintf(d.err.message, sizeof(d.err.message), "%d colour components instead of 3",
                  d.cinfo.output_components);
    jpeg_destroy_decompress(&d.cinfo);
    return false;
  }
  out.width = static_cast<int>(d.cinfo.output_width);
  out.height = static_cast<int>(d.cinfo.output_height);
  out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(d.cinfo.output_scanline) * out.width * 3;
    jpeg_read_scanlines(&d.cinfo, &row, 1);
  }
  jpeg_finish_decompress(&d.cinfo);
  jpeg_destroy_decompress(&d.cinfo);
  return true;
}

}  // namespace

JpegResult DecodeJpeg(std::string_view bytes) {
  JpegResult result;
  if (bytes.empty()) {
    result.error = "no picture data";
    return result;
  }
  Decoder decoder;
  if (Decode(decoder, bytes, result.picture)) {
    result.ok = true;
  } else {
    result.picture = RgbPicture{};
    result.error = decoder.err.message[0] != '\0' ? decoder.err.message : "cannot decode the picture";
  }
  return result;
}

Image ToImage(const RgbPicture& picture) {
  Image image;
  image.Resize(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    std::uint8_t* dst = image.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      const std::uint8_t* p = picture.Pixel(x, y);
      dst[x * 3 + 0] = p[2];
      dst[x * 3 + 1] = p[1];
      dst[x * 3 + 2] = p[0];
    }
  }
  return image;
}

}  // namespace mensor
