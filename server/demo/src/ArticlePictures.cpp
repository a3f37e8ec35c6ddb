// Pictures and notes of a few articles (the stream-valued properties of FRX.ArtBild).
#include "SeedWriter.h"

namespace kesto::server::demo {

namespace {

// A 16 x 16 PNG: a brick.
const std::string kBrick(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x10\x00\x00\x00\x10"
    "\x08\x02\x00\x00\x00\x90\x91\x68\x36\x00\x00\x00\x1f\x49\x44\x41\x54\x78\xda\x63\x88\xb2\xd1\x20"
    "\x09\x31\x00\xf1\x89\x3c\x23\x22\xd1\xa8\x06\x12\x34\x8c\xc6\xc3\xc0\x07\x2b\x00\x7c\xc1\x36\xec"
    "\x05\x73\x0f\x2d\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
    88);

}  // namespace

void seedArticlePictures(SeedWriter& w) {
  w.add("FRX.ArtBild", {{"Firma", t("1")}, {"ArtNr", t("100001")}, {"Bild", model::Value::blob(kBrick)},
                        {"Notiz", t("Trocken lagern. Verarbeitung über 5 °C.")}});
  w.add("FRX.ArtBild", {{"Firma", t("1")}, {"ArtNr", t("100002")}, {"Bild", model::Value::blob(kBrick)},
                        {"Notiz", t("Für innen und außen, frostsicher.")}});
  w.add("FRX.ArtBild", {{"Firma", t("1")}, {"ArtNr", t("100003")}, {"Notiz", t("Ergiebigkeit ca. 7 m² je Liter.")}});
}

}  // namespace kesto::server::demo
