#include "bench/figure_file.h"

#include <cstdio>
#include <fstream>

namespace larkwell::bench {
namespace {

// A JSON string; the figures' texts are ours, but a quote or backslash must not break the file.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

}  // namespace

std::string FigureFileText(const std::vector<TFigure>& figures) {
  std::string out = "[\n";
  for (size_t i = 0; i < figures.size(); ++i) {
    const TFigure& f = figures[i];
    out += "  {\"group\": " + Quoted(f.Group) + ", \"name\": " + Quoted(f.Name) + ", \"subject\": " +
           Number(f.Subject) + ", \"baseline\": " + Number(f.Baseline) + ", \"unit\": " + Quoted(f.Unit) +
           ", \"ratio\": " + Number(f.Ratio) + ", \"goal\": " + (f.Goal.empty() ? "null" : Quoted(f.Goal));
    if (!f.Note.empty()) out += ", \"note\": " + Quoted(f.Note);
    out += i + 1 < figures.size() ? "},\n" : "}\n";
  }
  return out + "]\n";
}

bool WriteFigureFile(const std::string& path, const std::vector<TFigure>& figures) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << FigureFileText(figures);
  return static_cast<bool>(out.flush());
}

}  // namespace larkwell::bench
