#include "SlipFiles.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace kesto::server::demo {

namespace {

// Umlauts, bold and a bullet, as a word processor writes them.
constexpr const char* kSlipTemplate =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red192\\green0\\blue0;}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs24\\b Hinweise zur Abholung\\b0\\par\r\n"
    "\\par\r\n"
    "Die Ware liegt f\\'fcr Sie im Lager bereit. Bitte gegen Vorlage dieses Scheins abholen.\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-284\\li284 "
    "Ware bei \\'dcbernahme pr\\'fcfen\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}\\cf1\\b Umtausch nur mit diesem Schein\\cf0\\b0\\par\r\n"
    "\\pard\\par\r\n"
    "Ausgegeben: ________________\\par\r\n"
    "Unterschrift: ________________\\par\r\n"
    "}\r\n";

// The free design replaces the first three lines with the article's descriptions.
constexpr const char* kFreeDesignTemplate =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Helvetica;}}\r\n"
    "\\viewkind4\\uc1\\pard\\qc\\f0\\fs40\\b Bezeichnung 1\\b0\\par\r\n"
    "\\fs28 Bezeichnung 2\\par\r\n"
    "Bezeichnung 3\\par\r\n"
    "\\fs20 Solange der Vorrat reicht. Gr\\'f6\\'dfen und Farben nach Verf\\'fcgbarkeit.\\par\r\n"
    "}\r\n";

struct Rgb {
  unsigned char r, g, b;
};

// A product drawn as a body on a light ground, with a band across it.
struct Product {
  const char* nr;
  Rgb body;
  Rgb band;
  double left, top, right, bottom;  // body, as parts of the picture
};

constexpr Product kProducts[] = {
    {"100001", {150, 150, 145}, {200, 30, 30}, 0.15, 0.2, 0.85, 0.92},   // cement sack
    {"100003", {245, 245, 240}, {40, 90, 170}, 0.2, 0.3, 0.8, 0.88},     // paint bucket
    {"100006", {120, 120, 118}, {160, 160, 158}, 0.1, 0.35, 0.9, 0.75},  // paving slab
};

constexpr int kWidth = 300;
constexpr int kHeight = 400;  // 3 : 4, as the slip prints it

std::vector<unsigned char> draw(const Product& p) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double fx = (x + 0.5) / kWidth, fy = (y + 0.5) / kHeight;
      Rgb c{235, 240, 245};
      if (fx >= p.left && fx <= p.right && fy >= p.top && fy <= p.bottom) {
        const double middle = (p.top + p.bottom) / 2;
        const bool band = fy > middle - 0.06 && fy < middle + 0.06;
        c = band ? p.band : p.body;
      }
      unsigned char* out = &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 3];
      out[0] = c.r;
      out[1] = c.g;
      out[2] = c.b;
    }
  }
  return pixels;
}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void onJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

std::string encodeJpeg(const std::vector<unsigned char>& pixels) {
  jpeg_compress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = onJpegError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw std::runtime_error("Demobild kann nicht erzeugt werden");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&pixels[static_cast<std::size_t>(info.next_scanline) * kWidth * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

// A file put there by the user stays.
void writeFile(const std::filesystem::path& file, const std::string& bytes) {
  if (std::filesystem::exists(file)) return;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("Demodatei kann nicht geschrieben werden: " + file.string());
}

}  // namespace

void writeSlipFiles(const std::filesystem::path& logoFolder, const std::filesystem::path& pictureFolder) {
  writeFile(logoFolder / "rt20_de.lan", "");
  writeFile(logoFolder / "Ausfolgeschein.rtf", kSlipTemplate);
  writeFile(logoFolder / "eigenbau.rtf", kFreeDesignTemplate);
  for (const Product& p : kProducts)
    writeFile(pictureFolder / "ausfolgeschein" / (std::string(p.nr) + ".jpg"), encodeJpeg(draw(p)));
}

}  // namespace kesto::server::demo
