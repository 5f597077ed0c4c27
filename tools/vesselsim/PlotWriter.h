// `--plot FILE`: the watched variables of a run drawn over time by gnuplot,
// one small chart each, into one PNG image.
#pragma once

#include <string>
#include <vector>

// Draws the columns of `csvPath` (time first, then `names`) into `pngPath`;
// false with a message when gnuplot is missing or fails.
bool WritePlot(const std::string &csvPath, const std::vector<std::string> &names, const std::string &pngPath,
               std::string &error);
