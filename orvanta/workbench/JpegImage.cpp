#include "orvanta/workbench/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// The pictures' JPEG bytes, generated into the build from resources/orvanta/.
extern const unsigned char OrvantaLogoJpeg[];
extern const std::size_t OrvantaLogoJpegSize;
extern const unsigned char OrvantaBannerJpeg[];
extern const std::size_t OrvantaBannerJpegSize;

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

extern "C" void OnJpegError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(err->jump, 1);
}
extern "C" void OnJpegMessage(j_common_ptr) {}  // warnings are not shown

}  // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size == 0) return {};
  jpeg_decompress_struct info{};
  ErrorManager err{};
  info.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnJpegError;
  err.pub.output_message = OnJpegMessage;
  // Everything that must survive a longjmp lives outside the jump's scope.
  QImage* volatile result = new QImage();
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    delete result;
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  *result = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
  // The row buffer comes from libjpeg's own pool, released with the decoder
  // also when a damaged stream jumps out.
  JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                              info.output_width * 3, 1);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    jpeg_read_scanlines(&info, rows, 1);
    const JSAMPLE* row = rows[0];
    auto* out = reinterpret_cast<QRgb*>(result->scanLine(y));
    for (JDIMENSION x = 0; x < info.output_width; ++x)
      out[x] = qRgb(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  QImage image = std::move(*result);
  delete result;
  return image;
}

QImage LogoImage() { return DecodeJpeg(OrvantaLogoJpeg, OrvantaLogoJpegSize); }

QImage AboutBannerImage() { return DecodeJpeg(OrvantaBannerJpeg, OrvantaBannerJpegSize); }
