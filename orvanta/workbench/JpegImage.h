#pragma once
// JPEG pictures of the windows, decoded with libjpeg.
#include <QImage>
#include <cstddef>

// Decodes a baseline or progressive JPEG (greyscale or colour) into an RGB32
// image; a null image when the data is not a JPEG libjpeg can read.
QImage DecodeJpeg(const unsigned char* data, std::size_t size);

// The main window's logo (228 x 52).
QImage LogoImage();

// The about window's banner (225 x 57).
QImage AboutBannerImage();
