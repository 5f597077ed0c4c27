#include "PlotWriter.h"

#include <cstdio>
#include <sstream>

#ifdef _WIN32
#define popen _popen
#define pclose _pclose
#else
#include <sys/wait.h>
#endif

namespace {

// stdout carries the run's results: gnuplot's messages go to stderr, and
// what it would draw there when it cannot open the image goes nowhere.
#ifdef _WIN32
const char *const kGnuplot = "gnuplot >NUL";
bool Succeeded(int status) { return status == 0; }
#else
const char *const kGnuplot = "gnuplot >/dev/null";
bool Succeeded(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
#endif

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
  FILE *gnuplot = popen(kGnuplot, "w");
  if (gnuplot == nullptr) {
    error = "cannot start gnuplot";
    return false;
  }
  const std::string script = Script(csvPath, names, pngPath);
  std::fwrite(script.data(), 1, script.size(), gnuplot);
  const int status = pclose(gnuplot);
  if (!Succeeded(status)) {
    error = "gnuplot could not draw " + pngPath + " (is gnuplot installed?)";
    return false;
  }
  return true;
}
