#include "PlotWriter.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#define popen _popen
#define pclose _pclose
#else
#include <sys/wait.h>
#endif

namespace {

// stdout carries the run's results, and gnuplot's warnings (a flat series,
// a font it lacks) are no concern of the author: what it would draw on the
// terminal goes nowhere, its messages into a scratch file that only a
// failure shows.
#ifdef _WIN32
const char *const kGnuplot = "gnuplot >NUL 2>";
bool Succeeded(int status) { return status == 0; }
#else
const char *const kGnuplot = "gnuplot >/dev/null 2>";
bool Succeeded(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
#endif

std::string ScratchMessagesPath() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return (folder / ("vesselsim-gnuplot-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                    ".txt"))
      .string();
}

std::string Messages(const std::string &path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// gnuplot strings are in single quotes, where a quote is written twice.
std::string Quoted(const std::string &text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

std::string Script(const std::string &csvPath, const std::vector<std::string> &names, const std::string &pngPath) {
  const size_t columns = names.size() > 4 ? 2 : 1;
  const size_t rows = (names.size() + columns - 1) / columns;
  std::ostringstream s;
  s << "set terminal pngcairo size " << 560 * columns << "," << 200 * rows << " font 'DejaVu Sans,9'\n"
    << "set output " << Quoted(pngPath) << "\n"
    << "set datafile separator ','\nset key off\nset grid\nset format y '%g'\n"
    << "set xlabel 'time (s)'\nset multiplot layout " << rows << "," << columns << "\n";
  for (size_t i = 0; i < names.size(); ++i)
    s << "set title " << Quoted(names[i]) << " noenhanced\nplot " << Quoted(csvPath) << " using 1:" << i + 2
      << " every ::2 with lines linewidth 1.5\n";
  s << "unset multiplot\n";
  return s.str();
}

}  // namespace

bool WritePlot(const std::string &csvPath, const std::vector<std::string> &names, const std::string &pngPath,
               std::string &error) {
  if (names.empty()) {
    error = "--plot needs at least one --watch";
    return false;
  }
  const std::string messages = ScratchMessagesPath();
  FILE *gnuplot = popen((kGnuplot + std::string("\"") + messages + "\"").c_str(), "w");
  if (gnuplot == nullptr) {
    error = "cannot start gnuplot";
    return false;
  }
  const std::string script = Script(csvPath, names, pngPath);
  std::fwrite(script.data(), 1, script.size(), gnuplot);
  const bool drawn = Succeeded(pclose(gnuplot));
  if (!drawn) error = "gnuplot could not draw " + pngPath + " (is gnuplot installed?)\n" + Messages(messages);
  std::remove(messages.c_str());
  return drawn;
}
