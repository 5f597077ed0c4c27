// A scratch host root for the fuzz targets, entered once for the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Makes the scratch folder (with Config/ and config/) the working folder.
void EnterScratchRoot();
void WriteFile(const std::string &path, const uint8_t *data, size_t size);
void WriteFile(const std::string &path, const std::string &text);
