// A text file's lines in memory, cut as the readers take them: a line longer
// than the line buffer holds goes on as the next piece.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class SourceText {
 public:
  struct Piece {
    // Without its line end.
    std::string text;
    // Whether the line goes on in the next piece.
    bool goesOn = false;
  };

  // Every line of `file`; no file reads as an empty text that was not opened.
  explicit SourceText(FILE *file);
  // "Config\\X.cfg" as Windows finds it, relative to the working folder.
  static SourceText OpenWindowsFile(const char *fileName);

  bool Opened() const { return opened; }
  bool Ended() const { return next == pieces.size(); }
  // The next piece, or null at the end.
  const Piece *Take() { return Ended() ? nullptr : &pieces[next++]; }

 private:
  std::vector<Piece> pieces;
  size_t next = 0;
  bool opened;
};
