#include "Anordnung.h"

#include <activex/Fonts.h>
#include <activex/Renderer.h>
#include <activex/TextFit.h>

#include <QFontMetricsF>
#include <QTransform>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kesto::test {

namespace {

using activex::DrawOp;
using activex::TextBoxOp;
using activex::TextOp;

constexpr double kToleranz = 0.1;     // mm a drawing may reach past its sign by rounding
constexpr double kBeruehrung = 0.05;  // mm² two areas may share where glyphs just touch

bool leer(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

QTransform gedreht(const activex::Point& anker, int zehntelGrad) {
  QTransform t;
  t.scale(1 / activex::unitsPerMm, 1 / activex::unitsPerMm);
  t.translate(anker.x.units(), anker.y.units());
  t.rotate(-zehntelGrad / 10.0);
  return t;
}

// The ink of one line whose baseline starts at (x, baseline) in the op's own frame, cut to
// the clip where the op has one.
QPolygonF tinte(const QFont& font, const std::string& text, double x, double baseline, const QTransform& t,
                const QRectF& clip = {}) {
  QPolygonF ink(QFontMetricsF(font).tightBoundingRect(QString::fromStdString(text)).translated(x, baseline));
  if (!clip.isNull()) ink = ink.intersected(QPolygonF(clip));
  return t.map(ink);
}

int vorgabeGruppe(std::span<const DrawOp> ops, std::size_t i) {
  if (const auto* box = std::get_if<TextBoxOp>(&ops[i])) return box->style.angle;
  if (!std::holds_alternative<TextOp>(ops[i])) return 0;
  std::size_t anfang = i;
  while (anfang > 0 && std::holds_alternative<TextOp>(ops[anfang - 1])) --anfang;
  return 100000 + static_cast<int>(anfang);
}

double flaeche(const QPolygonF& p) {
  double a = 0;
  for (qsizetype i = 0; i + 1 < p.size(); ++i) a += p[i].x() * p[i + 1].y() - p[i + 1].x() * p[i].y();
  if (!p.isEmpty()) a += p.back().x() * p.front().y() - p.front().x() * p.back().y();
  return std::abs(a) / 2;
}

std::string zeigen(const Flaeche& f) {
  std::ostringstream out;
  const QRectF r = f.umriss.boundingRect();
  out << "\"" << f.text << "\" (" << std::round(r.x() * 10) / 10 << ", " << std::round(r.y() * 10) / 10 << ", "
      << std::round(r.width() * 10) / 10 << " x " << std::round(r.height() * 10) / 10 << " mm)";
  return out.str();
}

bool enthaelt(const Umriss& s, const QRectF& r) {
  return r.left() >= s.x - kToleranz && r.top() >= s.y - kToleranz && r.right() <= s.x + s.b + kToleranz &&
         r.bottom() <= s.y + s.h + kToleranz;
}

// Adds a line for each area that does not lie inside the sign holding its middle.
void ausserhalb(const std::vector<Flaeche>& alle, std::span<const Umriss> schilder, std::vector<std::string>& befunde) {
  for (const Flaeche& f : alle) {
    const QRectF r = f.umriss.boundingRect();
    const QPointF mitte = r.center();
    const Umriss* schild = nullptr;
    for (const Umriss& s : schilder)
      if (mitte.x() >= s.x && mitte.x() <= s.x + s.b && mitte.y() >= s.y && mitte.y() <= s.y + s.h) schild = &s;
    if (!schild || !enthaelt(*schild, r)) befunde.push_back(zeigen(f) + " liegt nicht ganz auf seinem Schild");
  }
}

}  // namespace

std::vector<Flaeche> flaechen(std::span<const DrawOp> ops, const Gruppierung& gruppe) {
  const Gruppierung g = gruppe ? gruppe : Gruppierung(vorgabeGruppe);
  std::vector<Flaeche> out;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (const auto* box = std::get_if<TextBoxOp>(&ops[i])) {
      if (box->frame && box->box.height.units() > 0) {
        // A filled band covers what lies under it.
        const QRectF r(0, 0, box->box.width.units(), box->box.height.units());
        out.push_back({"(Band)", gedreht({box->box.left, box->box.top}, box->style.angle).map(QPolygonF(r)), i,
                       g(ops, i), false});
      }
      if (box->richText || leer(box->text)) continue;
      const activex::FittedText f = activex::fitText(*box);
      const QFont font = activex::makeFont(f.font);
      const QTransform t = gedreht({box->box.left, box->box.top}, box->style.angle);
      // A band clips its text to itself.
      const bool band = box->frame && box->box.height.units() > 0;
      const QRectF clip = band ? QRectF(0, 0, box->box.width.units(), box->box.height.units()) : QRectF();
      for (const activex::FittedLine& line : f.lines) {
        if (leer(line.text)) continue;
        QPolygonF umriss = tinte(font, line.text, line.left.units(), (line.top + f.ascent).units(), t, clip);
        if (!umriss.isEmpty()) out.push_back({line.text, std::move(umriss), i, g(ops, i), false});
      }
    } else if (const auto* text = std::get_if<TextOp>(&ops[i])) {
      if (leer(text->text)) continue;
      const QFont font = activex::makeFont(text->style.font);
      out.push_back({text->text,
                     tinte(font, text->text, 0, QFontMetricsF(font).ascent(), gedreht(text->at, text->style.angle)),
                     i, g(ops, i), false});
    } else if (const auto* bild = std::get_if<activex::PictureOp>(&ops[i])) {
      const activex::Box b = activex::drawnBox(*bild);
      const QRectF r(b.left.mm(), b.top.mm(), b.width.mm(), b.height.mm());
      out.push_back({"(Bild)", QPolygonF(r), i, 0, true});
    }
  }
  return out;
}

std::vector<std::string> anordnungPruefen(std::span<const DrawOp> ops, std::span<const Umriss> schilder,
                                          const Gruppierung& gruppe) {
  const std::vector<Flaeche> alle = flaechen(ops, gruppe);
  std::vector<std::string> befunde;
  ausserhalb(alle, schilder, befunde);
  for (std::size_t a = 0; a < alle.size(); ++a)
    for (std::size_t b = a + 1; b < alle.size(); ++b) {
      const Flaeche& x = alle[a];
      const Flaeche& y = alle[b];
      if (x.bild || y.bild || x.op == y.op) continue;
      if (x.text == "(Band)" && y.text == "(Band)") continue;
      if (x.gruppe != 0 && x.gruppe == y.gruppe) continue;
      if (!x.umriss.boundingRect().intersects(y.umriss.boundingRect())) continue;
      if (flaeche(x.umriss.intersected(y.umriss)) > kBeruehrung)
        befunde.push_back(zeigen(x) + " liegt über " + zeigen(y));
    }
  return befunde;
}

std::vector<std::string> formenPruefen(std::span<const DrawOp> ops, std::span<const Umriss> schilder) {
  std::vector<Flaeche> formen;
  for (std::size_t i = 0; i < ops.size(); ++i)
    if (const auto* p = std::get_if<activex::PolygonOp>(&ops[i])) {
      QPolygonF umriss;
      for (const activex::Point& q : p->points) umriss << QPointF(q.x.mm(), q.y.mm());
      formen.push_back({"(Form)", std::move(umriss), i, 0, false});
    }
  std::vector<std::string> befunde;
  ausserhalb(formen, schilder, befunde);
  return befunde;
}

void bilderAblegen(std::span<const activex::Page> seiten, const std::string& name) {
  const char* ordner = std::getenv("KESTO_SEITEN_PNG");
  if (!ordner || !*ordner) return;
  std::string datei = name;
  for (char& c : datei)
    if (c == '/') c = '_';
  for (std::size_t i = 0; i < seiten.size(); ++i)
    activex::renderPageImage(seiten[i], 100).save(QString::fromStdString(
        (std::filesystem::path(ordner) / (datei + "-page-" + std::to_string(i + 1) + ".png")).string()));
}

}  // namespace kesto::test
