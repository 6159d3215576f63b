// A ZIP archive of stored (uncompressed) entries, as OPC packages such as
// 3MF are, written straight into a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/paths.h"

namespace puffel {

// The bytes an archive takes beyond its entries' contents: the headers of
// entries with these names and the end records.
uint64_t ZipOverhead(const std::vector<std::string>& names);

// Writes entries one after another into file: Begin each with its size and
// CRC known, Write exactly its bytes, then Finish once after the last.
// Every time stamp is 1980-01-01 00:00, so that equal contents make equal
// archives. The archive must stay under 4 GiB (no ZIP64); names are ASCII.
class StoredZip {
 public:
  explicit StoredZip(FileWriter& file) : file_(file) {}

  void Begin(const std::string& name, uint64_t size, uint32_t crc);
  void Write(const char* bytes, size_t count);
  // Writes the central directory and its end record.
  void Finish();

 private:
  struct Entry {
    std::string name;
    uint32_t size;
    uint32_t crc;
    uint32_t offset;
  };
  FileWriter& file_;
  std::vector<Entry> entries_;
  uint64_t written_ = 0;
};

}  // namespace puffel
